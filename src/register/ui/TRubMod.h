// The dialog "Rubriques et modes de paiement": the two lists side by side, each with its
// field and the buttons "Supprimer", "Remplacer par :" and "Ajouter". It edits copies;
// "OK" gives them back (see lists()).
#pragma once

#include <QDialog>

#include "register/ListEditor.h"

class QLineEdit;
class QListWidget;
class QPushButton;

class TRubMod : public QDialog {
    Q_OBJECT
public:
    TRubMod(const ledgora::NameList& categories, const ledgora::NameList& modes,
            QWidget* parent = nullptr);

    const ledgora::NameList& categories() const { return categories_.list(); }
    const ledgora::NameList& modes() const { return modes_.list(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Side {
        ledgora::ListEditor* editor;
        QListWidget* list;
        QLineEdit* field;
    };
    QWidget* buildSide(const QString& title, Side& side);
    void show(const Side& side);

    ledgora::ListEditor categories_;
    ledgora::ListEditor modes_;
    Side rubriques_{};
    Side modesSide_{};
};
