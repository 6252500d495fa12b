#include <gtk/gtk.h>

#include <clocale>
#include <cstddef>
#include <map>

#include "host/setup_dialog.h"
#include "host/title_picture.h"

namespace Ombrel::Host {

namespace {

// The GTK toggle buttons behind the dialog's control ids.
class GtkButtons final : public SetupDialogButtons {
public:
    void Add(int id, GtkWidget* button) { buttons[id] = GTK_TOGGLE_BUTTON(button); }

    // A GTK radio group clears the others itself.
    void CheckRadio(int, int, int id) override { gtk_toggle_button_set_active(buttons[id], TRUE); }
    void SetChecked(int id, bool checked) override {
        gtk_toggle_button_set_active(buttons[id], checked);
    }
    bool IsChecked(int id) override { return gtk_toggle_button_get_active(buttons[id]); }

private:
    std::map<int, GtkToggleButton*> buttons;
};

struct Choice {
    int id;
    const char* text;
};

// A framed group of radio buttons with a centred title, one for each choice
// (anything with a control id and a text).
template <typename Button, std::size_t Count>
GtkWidget* RadioGroup(const char* title, const Button (&choices)[Count], GtkButtons& buttons) {
    GtkWidget* frame = gtk_frame_new(title);
    gtk_frame_set_label_align(GTK_FRAME(frame), 0.5f, 0.5f);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_set_border_width(GTK_CONTAINER(box), 4);
    GtkWidget* previous = nullptr;
    for (const Button& choice : choices) {
        GtkWidget* radio = gtk_radio_button_new_with_label_from_widget(
            previous ? GTK_RADIO_BUTTON(previous) : nullptr, choice.text);
        gtk_box_pack_start(GTK_BOX(box), radio, FALSE, FALSE, 0);
        buttons.Add(choice.id, radio);
        previous = radio;
    }
    gtk_container_add(GTK_CONTAINER(frame), box);
    return frame;
}

GtkWidget* TitleWidget() {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("bmp", nullptr);
    GtkWidget* image = nullptr;
    if (loader && gdk_pixbuf_loader_write(loader, TitlePicture, TitlePictureSize, nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        image = gtk_image_new_from_pixbuf(gdk_pixbuf_loader_get_pixbuf(loader));
    } else {
        image = gtk_label_new(" SOLVARA RealTime");
    }
    if (loader) g_object_unref(loader);
    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(frame), image);
    return frame;
}

// Return presses the push button that has the focus, and OK (the default
// button) when the focus is on any other control, as in a Win32 dialog.
// Escape and closing the window answer Cancel through GtkDialog itself.
gboolean OnKeyPress(GtkWidget* dialog, GdkEventKey* event, gpointer) {
    if (event->keyval != GDK_KEY_Return && event->keyval != GDK_KEY_KP_Enter) return FALSE;
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
    int response = focus != nullptr ? gtk_dialog_get_response_for_widget(GTK_DIALOG(dialog), focus)
                                    : GTK_RESPONSE_NONE;
    gtk_dialog_response(GTK_DIALOG(dialog),
                        response == GTK_RESPONSE_NONE ? GTK_RESPONSE_OK : response);
    return TRUE;
}

GtkWidget* BuildDialog(GtkButtons& buttons) {
    GtkWidget* dialog = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(dialog), "");
    gtk_window_set_decorated(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    g_signal_connect(dialog, "key-press-event", G_CALLBACK(OnKeyPress), nullptr);

    static const Choice languages[] = {{IDC_ENGLISH, "English"}, {IDC_SPANISH, "Spanish"}};
    static const Choice depths[] = {{IDC_BITS32, "32 bits"}, {IDC_BITS16, "16 bits"}};

    GtkWidget* middle = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    gtk_box_pack_start(GTK_BOX(middle), RadioGroup("Language", languages, buttons), FALSE, FALSE,
                       0);
    gtk_box_pack_start(GTK_BOX(middle), RadioGroup("Color Buffer", depths, buttons), FALSE, FALSE,
                       0);

    GtkWidget* fullScreen = gtk_check_button_new_with_label("Full Screen");
    buttons.Add(IDC_FULLSCREEN, fullScreen);
    GtkWidget* ok = gtk_button_new_with_label("OK");
    GtkWidget* cancel = gtk_button_new_with_label("Cancel");
    gtk_dialog_add_action_widget(GTK_DIALOG(dialog), ok, GTK_RESPONSE_OK);
    gtk_dialog_add_action_widget(GTK_DIALOG(dialog), cancel, GTK_RESPONSE_CANCEL);
    gtk_widget_set_can_default(ok, TRUE);
    gtk_widget_grab_default(ok);

    GtkWidget* right = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    gtk_box_pack_start(GTK_BOX(right), fullScreen, FALSE, FALSE, 8);

    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    gtk_box_pack_start(GTK_BOX(row), RadioGroup("Resolution", SetupDialogResolutions, buttons),
                       FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), middle, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), right, TRUE, TRUE, 0);

    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(content), 8);
    gtk_box_set_spacing(GTK_BOX(content), 8);
    gtk_box_pack_start(GTK_BOX(content), TitleWidget(), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 0);
    gtk_widget_show_all(dialog);
    gtk_widget_grab_focus(ok);
    return dialog;
}

}  // namespace

void ShowSetupDialog(Settings& target) {
    if (!gtk_init_check(nullptr, nullptr)) return;
    // GTK takes the user's locale; numbers stay in the C form that the
    // plugins' formatting and parsing expect, as on Windows.
    std::setlocale(LC_NUMERIC, "C");
    GtkButtons buttons;
    GtkWidget* dialog = BuildDialog(buttons);
    SetSetupDialogInitialState(buttons);
    int command = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK ? IDC_OK : IDC_CANCEL;
    SetupDialogOutcome outcome = HandleSetupDialogCommand(command, buttons, target);
    gtk_widget_destroy(dialog);
    while (gtk_events_pending()) gtk_main_iteration();
    if (outcome == SetupDialogOutcome::Cancel) ExitOnSetupDialogCancel();
}

}  // namespace Ombrel::Host
