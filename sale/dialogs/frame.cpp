#include "frame.h"
#include "core/shared/twips.h"
#include "sale/plays/movtik_plays.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace {

const QColor kBack(255, 255, 192);   // window background
const QColor kFocus(255, 224, 192);  // a field or list with the focus

QFont face(const char* family, qreal points, bool bold)
{
    QFont f{QString::fromLatin1(family)};
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// A control named, in its font, placed in twips.
template <class W> W* placed(W* w, const char* name, const QFont& font, QRect at)
{
    w->setObjectName(QLatin1String(name));
    w->setFont(font);
    w->setGeometry(tw_rect(at.x(), at.y(), at.width(), at.height()));
    return w;
}

} // namespace

SaleDialog::SaleDialog(App& app, const char* name, const QString& caption, QSize client, QPoint aceptar,
                       QPoint cancelar)
    : app_(app), bridge_(new EntryBridge(this))
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(tw(client.width()), tw(client.height()));
    QPalette p = palette();
    p.setColor(QPalette::Window, kBack);
    setPalette(p);
    setAutoFillBackground(true);

    const auto button = [this](const char* name, const QString& text, QPoint at) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(tw_rect(at.x(), at.y(), 1200, 380));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        return b;
    };
    b_aceptar = button("b_aceptar", QStringLiteral("Aceptar"), aceptar);
    b_cancelar = button("b_cancelar", QStringLiteral("Cancelar"), cancelar);
    connect(b_aceptar, &QPushButton::clicked, this, [this] { b_aceptar_Click(); });
    connect(b_cancelar, &QPushButton::clicked, this, [this] { b_cancelar_Click(); });
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        auto* s = new QShortcut(QKeySequence(key), this);
        QPushButton* b = key == Qt::Key_Escape ? b_cancelar : b_aceptar;
        connect(s, &QShortcut::activated, b, &QPushButton::click);
    }
}

SaleDialog::~SaleDialog()
{
    // The controls die after this class: none of their last events may reach a handler.
    delete bridge_;
}

void SaleDialog::reject()
{
    b_cancelar_Click();
}

void SaleDialog::unload()
{
    QDialog::done(QDialog::Rejected);
}

void SaleDialog::choose_lots(const QStringList& codes)
{
    if (codes.isEmpty())
        return;
    app_.dlg_datos.dlg_lotsel = codes;
    app_.dlg_datos.dlg_res = QStringLiteral("1");
}

QPoint SaleDialog::place(int screen_twips, QPoint wider, QPoint other)
{
    const QPoint at = screen_twips > 9600 ? wider : other;
    return {tw(at.x()), tw(at.y())};
}

int SaleDialog::screen_twips()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() * 15 : 0;
}

void SaleDialog::paint(QWidget* w, bool focus)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, focus ? kFocus : QColor(Qt::white));
    w->setPalette(p);
}

void SaleDialog::list_focus(QListWidget* list, bool focus, int row)
{
    list->setCurrentRow(focus ? row : -1);
    paint(list, focus);
}

QLabel* SaleDialog::label(const char* name, const QString& text, QRect at)
{
    return placed(new QLabel(text, this), name, face("Tahoma", 8.25, true), at);
}

QLineEdit* SaleDialog::text_field(const char* name, QRect at)
{
    return placed(new QLineEdit(this), name, face("Verdana", 12, true), at);
}

QListWidget* SaleDialog::check_list(const char* name, QRect at)
{
    auto* list = placed(new QListWidget(this), name, face("Verdana", 8.25, false), at);
    cursor_follows_press(list);
    return list;
}

CheckList* SaleDialog::on_tick(QListWidget* list, std::function<void(int row)> item_check)
{
    return new CheckList(list, std::move(item_check));
}

void SaleDialog::type_into(QLineEdit* field, const std::function<int(int)>& key_press, int KeyAscii)
{
    field->deselect();
    if (const int key = key_press(KeyAscii))
        field->insert(QString(QChar(key)));
}

int SaleDialog::digit_to(QLineEdit* field, bool& selects, const std::function<int(int)>& key_press, int KeyAscii)
{
    if (KeyAscii < '0' || KeyAscii > '9')
        return KeyAscii;
    selects = false;
    field->setFocus();
    type_into(field, key_press, KeyAscii);
    return 0;
}

movtik_plays* SaleDialog::sale_window()
{
    return app_.is_loaded(QStringLiteral("movtik")) ? app_.win<movtik_plays>(QStringLiteral("movtik")) : nullptr;
}
