#pragma once

#include <string>
#include <vector>

#include "programs/validate/options.h"
#include "programs/validate/report.h"

class ChildProcess;

// The validator's own process: it never loads the pack itself. It runs the
// checks of the pack as a library in one child process and each plugin's
// checks in others, each step under the time limit; it reports a crash or a
// hang at the step where it happened, and goes on with a new child at the
// next phase of checks.
class Validation {
public:
    explicit Validation(const Options& given);

    // Fills the report; progress goes to standard error.
    void Run();
    const Report& GetReport() const { return report; }

private:
    struct ChildEnd {
        enum How { Done, Crashed, Hung, NotStarted };
        How how = Done;
        std::string description;  // how a child that crashed ended, or why it did not start
        int phase = -1;           // the last step's phase (-1: setting up)
        std::string step = "starting the process";
    };
    struct PluginToCheck {
        int index;
        std::string subject;
        bool runnable;
        std::string whyNot;
    };

    ChildEnd RunChild(const std::vector<std::string>& task, const std::string& subject);
    void Record(const std::vector<std::string>& fields, const std::string& subject, ChildEnd& end);
    void FinishChild(ChildProcess& child, ChildEnd& end);
    void CheckLibrary();
    void CheckPlugin(const PluginToCheck& plugin, size_t number);
    void ReportTrouble(const std::string& subject, const ChildEnd& end);
    void AddCalmPasses(const std::string& subject);

    const Options& options;
    Report report;
    std::vector<PluginToCheck> plugins;
    bool endTroubleReported = false;
};
