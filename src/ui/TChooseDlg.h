// The chooser `TChooseDlg`: a list, "OK" enabled only when the list is not empty, a double
// click acting as "OK".
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QDialogButtonBox;
class QListWidget;

class TChooseDlg : public QDialog {
    Q_OBJECT
public:
    TChooseDlg(const QString& caption, const std::vector<std::string>& items, int selected,
               QWidget* parent = nullptr);
    int chosen() const;

private:
    QListWidget* ListBox1;
    QDialogButtonBox* buttons_;
};
