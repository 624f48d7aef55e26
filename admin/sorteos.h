#pragma once
// "Loterias": which of the lotteries the server lists for the outlet it sells. A ticked
// lottery is offered; the unticked ones are stored as the outlet's switched-off lotteries.
#include "onoff_list.h"

class sorteos : public onoff_list {
    Q_OBJECT
public:
    explicit sorteos(App& app);

private:
    void Form_Load();
    bool remove_all() override;
    bool store_off(const QString& code) override;
};
