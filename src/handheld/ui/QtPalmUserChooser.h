// The handheld exchange's user choice on screen: each question opens `TFPalmUser` over the
// window that asks.
#pragma once

#include "handheld/PalmUserChooser.h"

class QWidget;

class QtPalmUserChooser : public ledgora::PalmUserChooser {
public:
    explicit QtPalmUserChooser(QWidget* parent) : parent_(parent) {}

    std::optional<int> choosePalmUser(const std::vector<std::string>& users, int selected) override;

private:
    QWidget* parent_;
};
