#include "list_window.h"
#include "edit_fields.h"
#include "core/shared/twips.h"
#include "core/shell/show.h"
#include "core/shell/mdi_child.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

list_window::list_window(App& app, const QString& name, const QString& popup, const QString& editor)
    : app_(app), popup_(popup), editor_(editor)
{
    setObjectName(name);
    lista = new QTreeWidget(this);
    lista->setObjectName(QStringLiteral("lista"));
    read_only_rows(lista);
    lista->header()->setSectionsMovable(false);
    lista->viewport()->installEventFilter(this);
    // The actions work on the selected row: while the list has rows, one is selected.
    connect(lista, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (lista->selectedItems().isEmpty() && lista->topLevelItemCount() > 0) {
            QTreeWidgetItem* keep = lista->currentItem() ? lista->currentItem() : lista->topLevelItem(0);
            keep->setSelected(true);
        }
    });

    b_incluir = button(this, "b_incluir", QStringLiteral("Incluir"));
    b_modificar = button(this, "b_modificar", QStringLiteral("Modificar"));
    b_eliminar = button(this, "b_eliminar", QStringLiteral("Eliminar"));
    b_salir = button(this, "b_salir", QStringLiteral("Salir"));
    connect(b_incluir, &QPushButton::clicked, this, [this] { b_incluir_Click(); });
    connect(b_modificar, &QPushButton::clicked, this, [this] { b_modificar_Click(); });
    connect(b_eliminar, &QPushButton::clicked, this, [this] { b_eliminar_Click(); });
    connect(b_salir, &QPushButton::clicked, this, &list_window::b_salir_Click);

    // Enter runs "Modificar" unless another of the window's buttons has the focus; Esc "Salir".
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        enter->setContext(Qt::WidgetWithChildrenShortcut);
        connect(enter, &QShortcut::activated, this, [this] {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            (focused && focused->parentWidget() == this ? focused : b_modificar)->click();
        });
    }
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, b_salir, &QPushButton::click);
}

QTreeWidgetItem* list_window::selected() const
{
    const auto items = lista->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

int list_window::selected_pos() const
{
    QTreeWidgetItem* item = selected();
    return item ? lista->indexOfTopLevelItem(item) : -1;
}

void list_window::set_columns(const QList<Column>& columns)
{
    lista->clear();
    lista->setColumnCount(int(columns.size()));
    QStringList headers;
    for (const auto& c : columns)
        headers << c.header;
    lista->setHeaderLabels(headers);
    for (int i = 0; i < columns.size(); ++i) {
        lista->setColumnWidth(i, tw(columns[i].width));
        if (columns[i].right)
            lista->headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void list_window::set_rows(const QList<QStringList>& rows)
{
    lista->clear();
    QList<QTreeWidgetItem*> items;
    for (const QStringList& cells : rows) {
        auto* item = new QTreeWidgetItem(cells);
        for (int i = 0; i < cells.size(); ++i)
            item->setTextAlignment(i, Qt::Alignment(lista->headerItem()->textAlignment(i)));
        items << item;
    }
    lista->addTopLevelItems(items);
    if (!items.isEmpty())
        lista->setCurrentItem(items.first());
}

void list_window::set_width(int column, int twips)
{
    lista->setColumnWidth(column, tw(twips));
}

void list_window::b_salir_Click()
{
    close_mdi_child(this);
}

void list_window::lista_DblClick()
{
    b_modificar_Click();
}

void list_window::lista_MouseUp(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    if (QAction* a = app_.mnu.value(popup_, nullptr); a && a->menu())
        a->menu()->exec(QCursor::pos());
}

bool list_window::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lista->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease)
            lista_MouseUp(static_cast<QMouseEvent*>(event)->button());
        else if (event->type() == QEvent::MouseButtonDblClick
                 && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            lista_DblClick();
    }
    return QWidget::eventFilter(watched, event);
}

void list_window::edit(int mode)
{
    app_.mod_edi = mode;
    show_modal(app_.window(editor_));
    load();
}

void list_window::incluir()
{
    edit(1);
    lista->setFocus();
}

void list_window::modificar()
{
    if (lista->topLevelItemCount() == 0) {
        app_.msg(QStringLiteral("No hay registros para modificar.") + QString(10, ' '), plat::mb_information);
    } else {
        const int pos = selected_pos();
        edit(2);
        if (pos < lista->topLevelItemCount()) {
            lista->setCurrentItem(lista->topLevelItem(pos));
            lista->scrollToItem(lista->topLevelItem(pos));
        }
    }
    lista->setFocus();
}

void list_window::eliminar(const std::function<void()>& remove)
{
    if (lista->topLevelItemCount() == 0)
        app_.msg(QStringLiteral("No hay registros para eliminar.") + QString(10, ' '), plat::mb_information);
    else if (app_.msg(QStringLiteral("¿Desea eliminar el registro seleccionado?") + QString(5, ' '),
                      plat::mb_question | plat::mb_okcancel) == plat::ans_ok)
        remove();
    lista->setFocus();
}
