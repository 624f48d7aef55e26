#pragma once
// What the users and the deposits windows share: a list of rows with the buttons
// "Incluir", "Modificar", "Eliminar" and "Salir", an edit dialog opened modally for the
// selected row, the main window's pop-up menu on a right click, "Modificar" on a double
// click, Enter for "Modificar" and Esc for "Salir".
#include "core/app/app.h"
#include "core/shell/list_editor.h"

#include <QPushButton>
#include <QTreeWidget>
#include <functional>

class list_window : public QWidget, public ListEditor {
    Q_OBJECT
public:
    QTreeWidget* lista;
    QPushButton* b_incluir;
    QPushButton* b_modificar;
    QPushButton* b_eliminar;
    QPushButton* b_salir;

    // The selected row; null only while the list has no rows.
    QTreeWidgetItem* selected() const;
    int selected_pos() const;  // 0-based, -1 without rows

public slots:
    void b_salir_Click();
    void lista_DblClick();
    void lista_MouseUp(Qt::MouseButton button);

protected:
    // popup: the name of the main window's pop-up menu; editor: the edit dialog's name.
    list_window(App& app, const QString& name, const QString& popup, const QString& editor);

    // Empties the list and adds its columns: header, width in twips, right-aligned.
    struct Column {
        QString header;
        int width;
        bool right = false;
    };
    void set_columns(const QList<Column>& columns);
    // Replaces the rows by these (their cells' texts); the first becomes the selected row.
    void set_rows(const QList<QStringList>& rows);
    void set_width(int column, int twips);

    // Include: edit mode 1, the dialog, then reload.
    void incluir();
    // Modify: edit mode 2 and the dialog for the selected row, reload, the row at the same
    // position selected again when the list still has it.
    void modificar();
    // Delete: the question, then remove (the window's own call and reload) once confirmed.
    void eliminar(const std::function<void()>& remove);

    // Reloads the list from the server.
    virtual void load() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

    App& app_;

private:
    void edit(int mode);

    QString popup_;
    QString editor_;
};
