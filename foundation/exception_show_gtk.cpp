#include <gtk/gtk.h>

#include <cstdio>

#include "foundation/exception.h"

namespace Ombrel {

// The message always goes to standard error too, so a failure without a
// display is never silent; the dialog follows when GTK can open one.
void Exception::Show() {
    std::fprintf(stderr, "Exception: %s\n", message);
    std::fflush(stderr);
    if (!gtk_init_check(nullptr, nullptr)) return;
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                               GTK_BUTTONS_OK, "%s", message);
    gtk_window_set_title(GTK_WINDOW(dialog), "Exception");
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    while (gtk_events_pending()) gtk_main_iteration();
}

}  // namespace Ombrel
