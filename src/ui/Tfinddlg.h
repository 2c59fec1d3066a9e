// The find dialog "Recherche": the text, the case, whole-cell and pattern options, the
// direction and the scope. Shared by every window that searches a grid.
#pragma once

#include <QDialog>

#include "register/GridSearch.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class Tfinddlg : public QDialog {
    Q_OBJECT
public:
    explicit Tfinddlg(const ledgora::FindOptions& options, QWidget* parent = nullptr);
    ledgora::FindOptions options() const;

private:
    QLineEdit* ChercherEdit;
    QCheckBox* CaseBox;
    QCheckBox* WholeBox;
    QCheckBox* PatternBox;
    QRadioButton* TopDownBtn;
    QRadioButton* LeftRightBtn;
    QRadioButton* AllBtn;
    QRadioButton* ColumnBtn;
    QRadioButton* RowBtn;
};
