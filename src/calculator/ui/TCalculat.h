// The calculator window: a worksheet page beside a keypad, with the ten variables, the
// page/tape switch, menus, tool bar and status line. Created once at start-up and shown
// without modality on top of the program's windows; every rule lives in the Worksheet and
// WorksheetDocument it drives.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "calculator/CalculatSettings.h"
#include "calculator/Worksheet.h"
#include "calculator/WorksheetDocument.h"
#include "calculator/WorksheetPrompts.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

class HelpWindow;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QToolBar;

namespace platform {
class Registry;
}

class TCalculat : public QMainWindow, private calculator::WorksheetPrompts {
    Q_OBJECT

public:
    // Reads the "Calculat" settings and reopens the last file when so configured. `clock`
    // dates the printouts, `dialogs` asks and tells; both must outlive the window.
    TCalculat(platform::Registry& registry, const platform::Paths& paths,
              const platform::Clock& clock, platform::Dialogs& dialogs, QWidget* parent = nullptr);
    ~TCalculat() override;

    // The file dialogs go to `prompts` instead (tests).
    void setPrompts(calculator::WorksheetPrompts* prompts) { prompts_ = prompts; }
    // The page's text as shown.
    QString pageText() const;

public slots:
    // Shows the window (the menu "Ou&tils" > "&Calculatrice..."), caret at the start.
    void showWorksheet();
    // Writes the "Calculat" section now (also done when the window closes).
    void saveSettings();

signals:
    // After a cut or copy: whether the clipboard now holds text (for the main window's
    // paste button).
    void pasteAvailable(bool available);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void Nouveau1Click();
    void Ouvrir1Click();
    void Enregistrer1Click();
    void Enregistrersous1Click();
    void Imprimer1Click();
    void Police1Click();
    void Aide1Click();
    void KSFlickChange(int position);
    void EgalClick();
    void CClick();
    void RClick();
    void EurosClick();
    void FrancsClick();
    void ZeroClick();
    void MemoChange();
    void updatePosition();
    void Edition1Show();

private:
    // WorksheetPrompts, answered with the program's file dialogs.
    std::optional<std::filesystem::path>
    chooseFileToOpen(const std::filesystem::path& folder) override;
    std::optional<std::filesystem::path>
    chooseFileToSave(const std::filesystem::path& folder) override;

    void buildMenus();
    void buildToolBar();
    QWidget* buildKeypad();
    QPushButton* keypadButton(const QString& caption, const QString& hint);
    void applySettings(const calculator::CalculatSettings& settings);
    void chooseDecimals(int item);
    void syncDecimalsMenu();

    // Model <-> view.
    void pullPage();
    void pullVariables();
    void showPage();
    void showVariables();
    void showMode();
    void showDocument();
    void setStatus(const calculator::StatusLine& status);
    // Inserts keypad text at the caret after the line-length check.
    void insertFromKeypad(const std::string& text);
    void afterFileCommand();

    platform::Registry& registry_;
    platform::Paths paths_;
    const platform::Clock& clock_;
    platform::Dialogs& dialogs_;
    calculator::Worksheet sheet_;
    calculator::WorksheetDocument document_;
    calculator::WorksheetPrompts* prompts_ = nullptr;
    bool busy_ = false;
    bool updating_ = false;

    QPlainTextEdit* Memo = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* PosLabel = nullptr;
    QSlider* KSFlick = nullptr;
    std::array<QLineEdit*, 10> Edit{};
    QMenu* Edition1 = nullptr;
    QAction* Couper1 = nullptr;
    QAction* Copier1 = nullptr;
    QAction* Coller1 = nullptr;
    QAction* Supprimer1 = nullptr;
    QAction* CouperButton = nullptr;
    QAction* CopierButton = nullptr;
    QAction* CollerButton = nullptr;
    QAction* Ouvrirdemarrage1 = nullptr;
    QAction* Prevenir1 = nullptr;
    std::array<QAction*, calculator::DecimalsSetting::kCount> decimalsItems_{};
    int fontColourRef_ = 0;
    int fontHeight_ = -16;
    HelpWindow* help_ = nullptr;
};
