#pragma once
// A list of items kept on the server as the items that are off (a user's denied menu
// codes, the outlet's switched-off lotteries): every item is shown as a check box, ticked
// unless stored as off. "Aceptar" removes the owner's stored items, then stores each
// unticked item, in list order, then the stored codes no item stands for, and closes. A
// save that does not go through to its last call says so and leaves the window open with
// its ticks, so "Aceptar" again redoes the whole save; a list the server did not fill
// cannot be saved.
#include "core/app/app.h"

#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>

class onoff_list : public QDialog {
    Q_OBJECT
public:
    QTreeWidget* lista;
    QPushButton* b_aceptar;
    QPushButton* b_cancelar;

public slots:
    void b_aceptar_Click();
    void b_cancelar_Click();

protected:
    onoff_list(App& app, const QString& name, int list_width, int list_height);

    // Replaces the entries: one per row (its texts by column), ticked when on; codes[k] is
    // what a save stores for entry k when it is unticked, and kept what it stores again
    // after them (codes stored as off that no entry stands for). Aceptar is enabled from
    // then on.
    void fill(const QList<QStringList>& texts, const QList<bool>& on, const QStringList& codes,
              const QStringList& kept = {});

    // The save's calls; each answers whether it went through.
    virtual bool remove_all() = 0;
    virtual bool store_off(const QString& code) = 0;

    App& app_;

private:
    QStringList codes_;
    QStringList kept_;
};
