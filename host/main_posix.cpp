#include "foundation/exception.h"
#include "host/run_demo.h"

int main(int, char**) {
    try {
        RunDemo("");
    } catch (Ombrel::Exception& exception) {
        exception.Show();
    }
    return 0;
}
