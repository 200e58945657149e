// The find panel, the merge panel and the duplicate finder, driven over a document window.

#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "documents/ContactDocument.h"
#include "documents/ContactPane.h"
#include "documents/DocumentPanelCommands.h"
#include "documents/DocumentWindow.h"
#include "editors/EditorDialog.h"
#include "editors/MergePanelController.h"
#include "editors/MergeSideModel.h"
#include "editors/MergeSideView.h"
#include "find/DuplicateFinderDialog.h"
#include "find/FindPanel.h"
#include "find/FindPanelModel.h"
#include "support/MessageBox.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillary;
using namespace Quillary::Ui;
using namespace Qt::StringLiterals;
using Side = MergePanelModel::Side;

namespace {

const PersonDsc& personAt(DocumentWindow* window, int index)
{
    return *window->document()->collection().contactTable.at(index)->person;
}

template <typename T> T* child(QWidget* parent, const QString& name)
{
    T* widget = parent->findChild<T*>(name);
    if (!widget)
        qWarning("no %s", qPrintable(name));
    return widget;
}

/// The first row of a field on one side of the merge panel.
int mergeRow(MergePanelController* panel, Side side, const QString& type)
{
    const MergeRows& rows = panel->model().rows(side);
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).type == type)
            return row;
    }
    return -1;
}

/// Drags a row of one side of the merge panel onto (or above) a row of the other, as the mouse
/// would drop it; Ctrl makes it a copy.
void dragRow(MergePanelController* panel, Side from, int row, int targetRow, bool above, bool copy = false)
{
    MergeSideView* source = panel->sideView(from);
    MergeSideView* target = panel->sideView(from == Side::Left ? Side::Right : Side::Left);
    std::unique_ptr<QMimeData> data(
        source->model()->mimeData({source->model()->index(row, MergeSideModel::ValueColumn)}));
    target->scrollTo(target->model()->index(targetRow, MergeSideModel::ValueColumn));
    const QRect rect = target->visualRect(target->model()->index(targetRow, MergeSideModel::ValueColumn));
    const QPoint point = above ? QPoint(rect.center().x(), rect.top() + 1) : rect.center();
    const Qt::DropAction action = copy ? Qt::CopyAction : Qt::MoveAction;
    const Qt::KeyboardModifiers modifiers = copy ? Qt::ControlModifier : Qt::NoModifier;
    // Qt delivers a drop to the widget that accepted the drag's entering.
    QDragEnterEvent enter(point, action, data.get(), Qt::LeftButton, modifiers);
    QApplication::sendEvent(target->viewport(), &enter);
    QDropEvent drop(point, action, data.get(), Qt::LeftButton, modifiers);
    QApplication::sendEvent(target->viewport(), &drop);
}

} // namespace

class TestFindMergeWindows : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void findStepReplaceReplaceAllUndo()
    {
        DocumentWindow* window = open(u"find/findmerge.vcf"_s);
        window->pane()->setEditMode(true);
        window->pane()->panelCommands()->findPanelAction()->trigger();
        auto* panel = qobject_cast<FindPanel*>(window->pane()->panelCommands()->openPanel());
        QVERIFY(panel && panel->isVisible());
        QVERIFY(!window->pane()->panelCommands()->mergeAction()->isEnabled());
        child<QToolButton>(panel, u"itemPopup"_s)->menu()->actions().first()->trigger(); // "All"
        auto* search = child<QLineEdit>(panel, u"searchField"_s);
        search->clear();
        QTest::keyClicks(search, u"anna"_s);
        QTest::keyClick(search, Qt::Key_Return);
        QTableView* table = panel->resultTable();
        QCOMPARE(table->model()->rowCount(), 7);
        QCOMPARE(table->selectionModel()->selectedRows().first().row(), 0);

        QTest::mouseClick(child<QToolButton>(panel, u"nextButton"_s), Qt::LeftButton);
        QCOMPARE(table->selectionModel()->selectedRows().first().row(), 1); // the note, "Anna Banana"
        child<QLineEdit>(panel, u"replaceField"_s)->setText(u"Ann"_s);
        QTest::mouseClick(child<QPushButton>(panel, u"replaceButton"_s), Qt::LeftButton);
        QCOMPARE(personAt(window, 0).stringValueForIdentifier(Field::Note), u"Ann Banana"_s);

        QTest::mouseClick(child<QPushButton>(panel, u"replaceAllButton"_s), Qt::LeftButton);
        QCOMPARE(personAt(window, 1).emailValues().first().value, u"Ann@Example.COM"_s);
        QCOMPARE(window->document()->undoStack()->count(), 2);
        for (QAction* action : panel->actions()) {
            if (action->shortcut() == QKeySequence(QKeySequence::Undo))
                action->trigger();
        }
        QCOMPARE(personAt(window, 1).emailValues().first().value, u"ANNA@Example.COM"_s);
        QCOMPARE(personAt(window, 0).stringValueForIdentifier(Field::Note), u"Ann Banana"_s);

        auto* mode = child<QComboBox>(panel, u"searchModePopup"_s);
        mode->setCurrentIndex(2);
        Q_EMIT mode->activated(2); // "Regular Expression"
        QWidget* error = child<QWidget>(panel, u"errorLabel"_s);
        search->setText(u"(unclosed"_s);
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(error->isVisibleTo(panel));
        QCOMPARE(table->model()->rowCount(), 0);
        search->setText(u"^A.*a$"_s);
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(!error->isVisibleTo(panel));
        QCOMPARE(table->model()->rowCount(), 2);

        // Locked, nothing can be replaced.
        QTest::mouseClick(child<QToolButton>(panel, u"editButton"_s), Qt::LeftButton);
        QVERIFY(!child<QPushButton>(panel, u"replaceAllButton"_s)->isEnabled());
        QTest::mouseClick(child<QToolButton>(panel, u"editButton"_s), Qt::LeftButton);

        // A birthday is changed in the date editor.
        search->setText(u"1980"_s);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(table->model()->rowCount(), 1);
        const QRect cell = table->visualRect(table->model()->index(0, FindPanelModel::ValueColumn));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center()); // the first click of the two
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        EditorDialog* editor = nullptr;
        QTRY_VERIFY((editor = panel->findChild<EditorDialog*>(u"dateEditor"_s)));
        auto* date = child<QLineEdit>(editor, u"dateField"_s);
        date->clear();
        QTest::keyClicks(date, u"1981-06-01"_s);
        editor->doneButton()->click();
        QCOMPARE(personAt(window, 0).birthdayValue().value, (DateComponents{1981, 6, 1}));

        QTest::mouseClick(child<QPushButton>(panel, u"closeButton"_s), Qt::LeftButton);
        QTRY_VERIFY(!window->pane()->panelCommands()->openPanel());
        QVERIFY(window->pane()->panelCommands()->findPanelAction()->isEnabled());
    }

    void mergeByDraggingThenUndoInTheDocument()
    {
        DocumentWindow* window = open(u"find/findmerge.vcf"_s);
        window->pane()->setEditMode(true);
        ContactsViewController* table = window->tableController();
        table->setSelectedIndexes({Test::rowOf(window, u"Anna Smith"_s), Test::rowOf(window, u"Bob Jones"_s)});
        window->pane()->panelCommands()->validate();
        QVERIFY(window->pane()->panelCommands()->mergeAction()->isEnabled());
        window->pane()->panelCommands()->mergeAction()->trigger();
        auto* panel = qobject_cast<MergePanelController*>(window->pane()->panelCommands()->openPanel());
        QVERIFY(panel);
        auto* done = child<QPushButton>(panel, u"doneButton"_s);
        QVERIFY(!done->isEnabled());

        const int phone = mergeRow(panel, Side::Left, Field::Phone);
        dragRow(panel, Side::Left, phone + 2, phone + 1, false); // the mobile number onto the first filler row
        const int birthday = mergeRow(panel, Side::Left, Field::Birthday);
        dragRow(panel, Side::Left, birthday, birthday, false);
        QCOMPARE(panel->model().changeCount(), 2);
        QCOMPARE(panel->sideView(Side::Right)->currentIndex().row(), birthday); // the dropped row is selected
        QVERIFY(done->isEnabled());
        QTest::mouseClick(done, Qt::LeftButton);
        QTRY_VERIFY(!window->pane()->panelCommands()->openPanel());

        const PersonDsc& bob = personAt(window, 4);
        QCOMPARE(bob.phoneValues().size(), 2);
        QCOMPARE(bob.phoneValues().last().value, u"090-5555-0001"_s);
        QVERIFY(bob.birthdayValue().hasValue());
        QCOMPARE(personAt(window, 0).phoneValues().size(), 2);
        window->document()->undoStack()->undo(); // the merge is one step
        QCOMPARE(personAt(window, 0).phoneValues().size(), 3);
        QVERIFY(personAt(window, 0).birthdayValue().hasValue());
        QVERIFY(!personAt(window, 4).birthdayValue().hasValue());
    }

    void mergePanelLocksAndCancels()
    {
        DocumentWindow* window = open(u"find/findmerge.vcf"_s);
        window->pane()->setEditMode(true);
        window->tableController()->setSelectedIndexes({0, Test::rowOf(window, u"Bob Jones"_s)});
        window->pane()->panelCommands()->mergeContacts();
        auto* panel = qobject_cast<MergePanelController*>(window->pane()->panelCommands()->openPanel());
        QVERIFY(panel);
        const QList<QUrl>& opened = Test::catchOpenedUrls();
        const int phone = mergeRow(panel, Side::Left, Field::Phone);
        for (QAction* action : panel->rowMenu(Side::Left, phone)->actions()) {
            if (action->text() == u"Call Phone"_s)
                action->trigger();
        }
        QCOMPARE(opened, QList<QUrl>{QUrl(u"tel:+8190-1111-2222"_s)});

        dragRow(panel, Side::Left, phone, phone, true, true);
        auto* lock = child<QToolButton>(panel, u"editButton"_s);
        QTest::mouseClick(lock, Qt::LeftButton); // changes keep editing on
        QVERIFY(lock->isChecked());
        QCOMPARE(lock->text(), u"Lock"_s);
        QTest::mouseClick(child<QPushButton>(panel, u"cancelButton"_s), Qt::LeftButton);
        QTRY_VERIFY(!window->pane()->panelCommands()->openPanel());
        QCOMPARE(personAt(window, 4).phoneValues().size(), 1);
        QCOMPARE(window->document()->undoStack()->count(), 0);
    }

    void duplicateFinderFeedsTheMergePanel()
    {
        DocumentWindow* window = open(u"find/findmerge.vcf"_s);
        window->pane()->setEditMode(true);
        window->pane()->panelCommands()->findDuplicatesAction()->trigger();
        auto* finder = qobject_cast<DuplicateFinderDialog*>(window->pane()->panelCommands()->openPanel());
        QVERIFY(finder);
        QTreeWidget* groups = finder->groupList();
        QCOMPARE(groups->topLevelItemCount(), 2);
        groups->topLevelItem(0)->setSelected(true);
        QTest::mouseClick(child<QPushButton>(finder, u"mergeButton"_s), Qt::LeftButton);
        MergePanelController* panel = finder->mergePanel();
        QVERIFY(panel && panel->isVisible());

        // Everything of the second card goes to the first.
        for (const QString& type : {Field::Company, Field::Email, Field::Phone}) {
            const int row = mergeRow(panel, Side::Right, type);
            dragRow(panel, Side::Right, row, row, type != Field::Company);
        }
        QCOMPARE(panel->model().changeCount(), 3);
        QVERIFY(panel->model().emptiedContact());
        MessageBox::setNextAnswer(0); // "OK": delete the emptied contact
        QTest::mouseClick(child<QPushButton>(panel, u"doneButton"_s), Qt::LeftButton);
        QTRY_VERIFY(!finder->mergePanel());
        QCOMPARE(personAt(window, 0).emailValues().size(), 2);
        QVERIFY(window->document()->collection().contactTable.at(1)->deleted);
        QCOMPARE(groups->topLevelItemCount(), 1); // the other group is left
        window->document()->undoStack()->undo();
        QVERIFY(!window->document()->collection().contactTable.at(1)->deleted);
    }
};

QTEST_MAIN(TestFindMergeWindows)
#include "tst_findmergewindows.moc"
