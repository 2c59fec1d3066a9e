// The numeric box offscreen: pastes and drops the keys could have typed go in as typing
// them would; any other is refused whole, the text kept and the user told, through the
// window's port or, without one, a message box over the window.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include "platform/ScriptedDialogs.h"
#include "ui/TFloatEdit.h"

namespace {

enum class Way { CtrlV, ShiftInsert, Menu, Drop };

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
