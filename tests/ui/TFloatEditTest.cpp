// The numeric box offscreen: a key or an input method's text goes in only when the box
// still holds the beginning of one amount, otherwise it is dropped with a tooltip; pastes
// and drops that leave one go in as typing them would, any other is refused whole, the
// text kept and the user told, through the window's port or, without one, a message box
// over the window.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "platform/ScriptedDialogs.h"
#include "ui/TFloatEdit.h"

namespace {

enum class Way { CtrlV, ShiftInsert, Menu, Drop };

const QString kKeyRefused =
    QStringLiteral("Saisie incorrecte : des chiffres, un signe en tête et une seule virgule.");

// Counts the keys that reach the window behind the box.
class KeyCounter : public QObject {
public:
    int keys = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        keys += event->type() == QEvent::KeyPress ? 1 : 0;
        return false;
    }
};

void pasteOrDrop(TFloatEdit& edit, Way way, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    switch (way) {
    case Way::CtrlV:
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        break;
    case Way::ShiftInsert:
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Way::Menu: {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                edit.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&edit, &event);
        auto* menu = edit.findChild<QMenu*>();
        QVERIFY(menu != nullptr);
        // The item that shows the paste keys, whatever the language.
        const QString keys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().endsWith(keys)) {
                paste = action;
            }
        }
        QVERIFY(paste != nullptr);
        paste->trigger();
        menu->close();
        break;
    }
    case Way::Drop: {
        QMimeData data;
        data.setText(text);
        // At the end of the text, as the caret is for the other ways; the drop goes where
        // the drag entered.
        const QPoint end(edit.width() - 3, edit.height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&edit, &enter);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&edit, &drop);
        break;
    }
    }
}

} // namespace

class TFloatEditTest : public QObject {
    Q_OBJECT

private slots:
    void pastesAndDrops_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after"); // empty: refused, the text as before
        const auto row = [](const char* name, Way way, const char* before, bool selected,
                            const QString& pasted, const char* after) {
            QTest::newRow(name) << int(way) << QString::fromUtf8(before) << selected << pasted
                                << QString::fromUtf8(after);
        };
        row("a comma amount", Way::CtrlV, "", false, "12,50", "12,50");
        row("over the selection", Way::CtrlV, "100.00", true, "-80.5", "-80.5");
        row("after the caret", Way::CtrlV, "12", false, "34", "1234");
        row("blanks around left out", Way::CtrlV, "", false, " 80\t", "80");
        row("thousands with a space", Way::CtrlV, "12", false, "1 234,56", "");
        row("a currency", Way::CtrlV, "12", true, QStringLiteral("80 €"), "");
        row("words", Way::CtrlV, "12", false, "abc", "");
        row("two separators", Way::CtrlV, "12", true, "1,2,3", "");
        row("too large to be an amount", Way::CtrlV, "", false, "9999999999999999", "");
        row("a line end", Way::CtrlV, "", false, "12\n", "");
        row("blanks alone over the selection", Way::CtrlV, "12", true, "  ", "");
        row("shift insert", Way::ShiftInsert, "", false, "7,5", "7,5");
        row("shift insert refused", Way::ShiftInsert, "7", false, "7a", "");
        row("the menu", Way::Menu, "", false, "3.25", "3.25");
        row("the menu refused", Way::Menu, "3", false, "3e2", "");
        row("a drop", Way::Drop, "1", false, "5,5", "15,5");
        row("a drop with blanks", Way::Drop, "1", false, " 5 ", "15");
        row("a drop refused", Way::Drop, "1", false, "5 %", "");
        // Judged with the text around it, as keys are.
        row("a sign after the figures", Way::CtrlV, "3", false, "-5", "");
        row("a second separator", Way::CtrlV, "1,2", false, ",3", "");
        row("a sign over the selection", Way::CtrlV, "3", true, "-5", "-5");
        row("a drop making two separators", Way::Drop, "1,2", false, ".5", "");
    }
    void pastesAndDrops() {
        QFETCH(int, way);
        QFETCH(QString, before);
        QFETCH(bool, selected);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QWidget window;
        auto* edit = new TFloatEdit(&window);
        edit->resize(200, 24);
        platform::ScriptedDialogs dialogs;
        edit->setDialogs(dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        edit->setText(before);
        if (selected) {
            edit->selectAll();
        }
        pasteOrDrop(*edit, static_cast<Way>(way), pasted);
        QTest::qWait(0);
        const bool refused = after.isEmpty();
        QCOMPARE(edit->text(), refused ? before : after);
        QCOMPARE(dialogs.texts(), refused ? std::vector<std::string>{"Saisie incorrecte."}
                                          : std::vector<std::string>{});
        if (refused) {
            QCOMPARE(dialogs.shown()[0].kind, platform::MessageKind::Error);
            edit->undo(); // nothing of the refused paste to undo
            QCOMPARE(edit->text(), before);
        }
    }

    // Keys as QTest types them, one by one, or an input method's text at once.
    void keysAndInputMethod_data() {
        QTest::addColumn<bool>("byInputMethod");
        QTest::addColumn<bool>("owner"); // the owner judges the whole text
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("from"); // -1: the caret at the end
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char* name, bool im, bool owner, const char* before, int from,
                            int selected, const char* typed, const char* after, bool refused) {
            QTest::newRow(name) << im << owner << QString::fromUtf8(before) << from << selected
                                << QString::fromUtf8(typed) << QString::fromUtf8(after) << refused;
        };
        row("a comma amount", false, false, "", -1, 0, "1234,56", "1234,56", false);
        row("a point for the comma", false, false, "", -1, 0, "12.5", "12.5", false);
        row("a second comma", false, false, "1234,56", -1, 0, ",", "1234,56", true);
        row("a point after the comma", false, false, "12,5", -1, 0, ".6", "12,56", true);
        row("a minus in front", false, false, "50", 0, 0, "-", "-50", false);
        row("a minus after the figures", false, false, "50", -1, 0, "-", "50", true);
        row("a second minus", false, false, "-", -1, 0, "-5", "-5", true);
        row("over the selection", false, false, "1,5", 0, 3, "-8", "-8", false);
        row("a point over the comma", false, false, "1,5", 1, 1, ".", "1.5", false);
        row("letters and blanks", false, false, "12", -1, 0, "a b", "12", true);
        row("one figure too many", false, false, "", -1, 0, "9999999999999999", "999999999999999",
            true);
        row("the owner sees two commas", false, true, "1,2", -1, 0, ",3", "1,2,3", false);
        row("the owner never sees letters", false, true, "1", -1, 0, "a", "1", true);
        row("committed figures", true, false, "12", -1, 0, "34", "1234", false);
        row("committed over the selection", true, false, "100", 0, 3, "-5", "-5", false);
        row("a dead key's letter", true, false, "12", -1, 0, "é", "12", true);
        row("a committed second comma", true, false, "1,2", -1, 0, ",", "1,2", true);
        row("the owner never gets accents", true, true, "1", -1, 0, "ê", "1", true);
    }
    void keysAndInputMethod() {
        QFETCH(bool, byInputMethod);
        QFETCH(bool, owner);
        QFETCH(QString, before);
        QFETCH(int, from);
        QFETCH(int, selected);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(bool, refused);
        QWidget window;
        auto* edit = new TFloatEdit(&window);
        edit->resize(200, 24);
        if (owner) {
            edit->leaveWholeTextToOwner();
        }
        KeyCounter behind;
        window.installEventFilter(&behind);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        edit->setText(before);
        if (from >= 0) {
            edit->setSelection(from, selected);
        }
        QToolTip::hideText();
        if (byInputMethod) {
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QApplication::sendEvent(edit, &commit);
        } else {
            QTest::keyClicks(edit, typed);
        }
        QCOMPARE(edit->text(), after);
        QCOMPARE(QToolTip::isVisible() && QToolTip::text() == kKeyRefused, refused);
        QCOMPARE(behind.keys, 0); // a refused key is not passed on
    }

    // A French user at the keyboard: what is refused leaves the caret, the undo and the
    // shortcuts as they were.
    void typingOnAfterARefusal() {
        QWidget window;
        auto* edit = new TFloatEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        QTest::keyClicks(edit, "1234,5,6");
        QCOMPARE(edit->text(), QStringLiteral("1234,56"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, ",.7");
        QCOMPARE(edit->text(), QStringLiteral("1234,7"));
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, "--");
        QCOMPARE(edit->text(), QStringLiteral("-1234,7"));
        QCOMPARE(edit->cursorPosition(), 1);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier); // whatever text QTest gives it
        QCOMPARE(edit->selectedText(), edit->text());
        QTest::keyClicks(edit, "80,5");
        QCOMPARE(edit->text(), QStringLiteral("80,5"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("-1234,7"));
        // Text the program sets is never judged; typing on is.
        edit->setText(QStringLiteral("1,2,3"));
        QTest::keyClick(edit, Qt::Key_4);
        QCOMPARE(edit->text(), QStringLiteral("1,2,3"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("1,2,"));
    }

    // Without a port, the message box comes up over the window, and the field keeps what
    // it held.
    void withoutAPortAMessageBoxOverTheWindow() {
        QWidget window;
        auto* edit = new TFloatEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        QTest::keyClicks(edit, "42");
        QString told;
        QWidget* over = nullptr;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                over = box->parentWidget();
                box->accept();
            }
        });
        closer.start(10);
        pasteOrDrop(*edit, Way::CtrlV, QStringLiteral("42 €"));
        QTRY_COMPARE(told, QStringLiteral("Saisie incorrecte."));
        QCOMPARE(over, &window);
        QCOMPARE(edit->text(), QStringLiteral("42"));
    }
};

QTEST_MAIN(TFloatEditTest)
#include "TFloatEditTest.moc"
