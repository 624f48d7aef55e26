#pragma once
// The frame every sale dialog shares. A sale dialog is a small modal window that the sale
// window's play-type dispatch opens by its registry name; it takes no arguments and returns
// nothing, but reads and writes the exchange state app.dlg_datos. The window is deleted
// once it is closed, so a value that must outlive an opening belongs in App, not in the
// dialog.
//
// How a dialog uses the frame:
// - It derives from SaleDialog, naming itself, its caption, its client area and where its
//   two buttons lie (in twips; below the client area, so that they act only through Enter
//   and Esc). b_aceptar and b_cancelar stay objects with their names: tests click them.
// - It writes b_aceptar_Click and b_cancelar_Click. Enter clicks b_aceptar wherever the
//   focus is; Esc and a close through the window frame run b_cancelar_Click, so a dialog
//   never closes without its Cancelar. Both handlers end with unload() when they close.
// - It builds its controls with label(), text_field() and check_list(), binds
//   them to bridge() for their KeyPress, KeyDown, GotFocus and LostFocus handlers (the
//   amount field through AmountField), a check list's ItemCheck with on_tick() (whose
//   CheckList also keeps the rules of the lists where several lotteries are ticked), and
//   sets them the focus colour with paint(); a list whose digits belong to a field hands
//   them over with digit_to(). It reaches the sale window with sale_window().
// - It gives a static place_for(screen_twips), one call of place() with its two positions,
//   and its Form_Load, run by its constructor, calls move(place_for(screen_twips())).
#include "core/app/app.h"
#include "sale/entry/bridge.h"
#include "sale/entry/check_list.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class movtik_plays;

class SaleDialog : public QDialog {
    Q_OBJECT
public:
    ~SaleDialog() override;

    QPushButton* b_aceptar;   // Default: Enter
    QPushButton* b_cancelar;  // Cancel: Esc, and a close through the frame

    virtual void b_aceptar_Click() = 0;
    virtual void b_cancelar_Click() = 0;
    void reject() override;

    // The top-left corner for a screen of the given width in twips, from the dialog's two
    // positions in twips: one for a screen wider than 9600 twips, one for the others.
    static QPoint place(int screen_twips, QPoint wider, QPoint other);
    // The width of the primary screen in twips.
    static int screen_twips();
    // A field's or list's background: the focus colour, or white once it has left.
    static void paint(QWidget* w, bool focus);
    // A list entered: its cursor on a row (the first unless told) and the focus colour;
    // left: no cursor row and white.
    static void list_focus(QListWidget* list, bool focus, int row = 0);
    // A key typed for a field on another control (a digit typed on a list): it goes through
    // the field's key filter key_press like a key typed in the field and, when kept, lands
    // at the end of the text, never over a selection. The focus stays where it is.
    static void type_into(QLineEdit* field, const std::function<int(int)>& key_press, int KeyAscii);

protected:
    SaleDialog(App& app, const char* name, const QString& caption, QSize client, QPoint aceptar, QPoint cancelar);

    // Closes the dialog; the dispatch that opened it goes on.
    void unload();
    // The lotteries an Aceptar chose, by code in list order, become exactly the entries of
    // dlg_lotsel, with dlg_res "1"; none chosen leaves both as they were.
    void choose_lots(const QStringList& codes);

    EntryBridge& bridge() { return *bridge_; }
    // A caption (Tahoma bold) and a text box (Verdana 12 bold), placed in twips.
    QLabel* label(const char* name, const QString& text, QRect at);
    QLineEdit* text_field(const char* name, QRect at);
    // A list box with a check box on each row (Verdana 8.25), placed in twips; its rows are
    // the dialog's to add. A press on a row's check box makes the row current, as a press on
    // its text does, before the tick changes.
    QListWidget* check_list(const char* name, QRect at);
    // Runs item_check with the row each time a row's tick changes, by the cashier or by the
    // program, from the ticks the list holds now on (a row's new text is no tick); the
    // watch (owned by the list) offers the limit and the step of the lotteries' lists.
    CheckList* on_tick(QListWidget* list, std::function<void(int row)> item_check);

    // A key typed on a list whose digits belong to a field: a digit goes there with
    // type_into, the field taking the focus first with its caret at the end (the entry flag
    // `selects` is cleared before: that entry selects nothing); any other key is left to the
    // list.
    static int digit_to(QLineEdit* field, bool& selects, const std::function<int(int)>& key_press, int KeyAscii);

    // The sale window that registers the plays; null when it is not loaded.
    movtik_plays* sale_window();

    App& app_;

private:
    EntryBridge* bridge_;
};
