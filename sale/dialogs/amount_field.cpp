#include "amount_field.h"
#include "frame.h"
#include "sale/entry/amount.h"

#include <QLineEdit>

AmountField::AmountField(App& app, EntryBridge& bridge, QLineEdit* field, QString LimVta::*lo, QString LimVta::*hi)
    : QObject(field), app_(app), field_(field), lo_(lo), hi_(hi)
{
    CtlEvents& ev = bridge.attach(field);
    ev.key_press = [this](int k) { return tx_mont_KeyPress(k); };
    ev.got_focus = [this] { tx_mont_GotFocus(); };
    ev.lost_focus = [this] { tx_mont_LostFocus(); };
    connect(field, &QLineEdit::textChanged, this, &AmountField::tx_mont_Change);
}

int AmountField::tx_mont_KeyPress(int KeyAscii)
{
    if (!amount_char(KeyAscii))
        return 0;
    if (field_->hasSelectedText())
        field_->setText(QString());
    const LimVta& lim = app_.lim_vta;
    const Typed typed = mont_key(app_.mon(), lim.*lo_, lim.*hi_, field_->text(), KeyAscii);
    if (typed.text != field_->text())
        field_->setText(typed.text);
    field_->setCursorPosition(int(field_->text().size()));
    return typed.key;
}

void AmountField::type_key(int KeyAscii)
{
    SaleDialog::type_into(field_, [this](int k) { return tx_mont_KeyPress(k); }, KeyAscii);
}

void AmountField::tx_mont_Change()
{
    const QString marked = mon_miles(app_.mon(), field_->text());
    if (marked != field_->text())
        field_->setText(marked);  // comes back here once, unchanged
    field_->setCursorPosition(int(field_->text().size()));
}

void AmountField::tx_mont_GotFocus()
{
    const Entry how = entering ? entering() : Entry::select_all;
    if (how == Entry::refused)
        return;
    if (how == Entry::select_all)
        field_->setSelection(0, int(field_->text().size()));
    else
        field_->setCursorPosition(int(field_->text().size()));
    SaleDialog::paint(field_, true);
}

void AmountField::tx_mont_LostFocus()
{
    SaleDialog::paint(field_, false);
}

void AmountField::enter_selected()
{
    field_->setFocus();
    field_->setSelection(0, int(field_->text().size()));
    SaleDialog::paint(field_, true);
}

void AmountField::refuse(const QString& amount, int kind)
{
    app_.msg(QStringLiteral("Monto no es válido.") + QString(10, QLatin1Char(' ')), plat::mb_exclamation);
    field_->setText(mon_adjust(app_.mon(), amount, kind));
    enter_selected();
}
