#include "FindBar.h"

#include "table/TableTextFinder.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

template <typename Widget> Widget* named(Widget* widget, const QString& objectName, const QString& accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

FindBar::FindBar(TableTextFinder& finder, QWidget* parent)
    : QWidget(parent), m_finder(finder),
      m_findField(named(new QLineEdit(this), QStringLiteral("findField"), tr("Find"))),
      m_matchCase(named(new QCheckBox(tr("Match Case"), this), QStringLiteral("matchCase"), tr("Match Case"))),
      m_previousButton(named(new QToolButton(this), QStringLiteral("findPrevious"), tr("Find Previous"))),
      m_nextButton(named(new QToolButton(this), QStringLiteral("findNext"), tr("Find Next"))),
      m_count(named(new QLabel(this), QStringLiteral("findCount"), tr("Matches"))),
      m_doneButton(named(new QPushButton(tr("Done"), this), QStringLiteral("findDone"), tr("Done"))),
      m_replaceRow(new QWidget(this)),
      m_replaceField(named(new QLineEdit(m_replaceRow), QStringLiteral("replaceField"), tr("Replace"))),
      m_replaceButton(
          named(new QPushButton(tr("Replace"), m_replaceRow), QStringLiteral("replaceButton"), tr("Replace"))),
      m_replaceAllButton(named(new QPushButton(tr("Replace All"), m_replaceRow), QStringLiteral("replaceAllButton"),
                               tr("Replace All")))
{
    setObjectName(QStringLiteral("findBar"));
    setAccessibleName(tr("Find Bar"));
    m_findField->setPlaceholderText(tr("Find"));
    m_findField->setClearButtonEnabled(true);
    m_replaceField->setPlaceholderText(tr("Replace"));
    m_previousButton->setArrowType(Qt::LeftArrow);
    m_nextButton->setArrowType(Qt::RightArrow);
    m_previousButton->setToolTip(tr("Find Previous"));
    m_nextButton->setToolTip(tr("Find Next"));
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("00000 of 00000")));

    auto* findRow = new QHBoxLayout;
    findRow->setContentsMargins(0, 0, 0, 0);
    findRow->addWidget(m_findField, 1);
    findRow->addWidget(m_matchCase);
    findRow->addWidget(m_previousButton);
    findRow->addWidget(m_nextButton);
    findRow->addWidget(m_count);
    findRow->addWidget(m_doneButton);
    auto* replaceRow = new QHBoxLayout(m_replaceRow);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    replaceRow->addWidget(m_replaceField, 1);
    replaceRow->addWidget(m_replaceButton);
    replaceRow->addWidget(m_replaceAllButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    layout->addLayout(findRow);
    layout->addWidget(m_replaceRow);

    connect(m_findField, &QLineEdit::textEdited, this, &FindBar::searchEdited);
    connect(m_findField, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(m_replaceField, &QLineEdit::returnPressed, this, &FindBar::replace);
    connect(m_matchCase, &QCheckBox::toggled, this, [this](bool on) {
        m_finder.setCaseSensitive(on);
        m_finder.findFromSelection();
        updateCount();
    });
    connect(m_previousButton, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_nextButton, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_doneButton, &QPushButton::clicked, this,
            [this] { m_finder.performAction(TableTextFinder::Action::HideFindInterface); });
    connect(m_replaceButton, &QPushButton::clicked, this, &FindBar::replace);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &FindBar::replaceAll);
    connect(&m_finder, &TableTextFinder::findBarStateChanged, this, &FindBar::stateChanged);
    connect(&m_finder, &TableTextFinder::searchTextChanged, this, [this](const QString& text) {
        m_findField->setText(text);
        updateCount();
    });
    connect(&m_finder, &TableTextFinder::selectionChanged, this, &FindBar::updateCount);
    m_findField->installEventFilter(this);
    stateChanged();
}

FindBar::~FindBar() = default;

QString FindBar::countText() const
{
    return m_count->text();
}

void FindBar::stateChanged()
{
    const bool visible = m_finder.isFindBarVisible();
    m_replaceRow->setVisible(m_finder.isReplaceVisible());
    setVisible(visible);
    updateEditable();
    if (!visible)
        return;
    if (m_findField->text() != m_finder.searchText())
        m_findField->setText(m_finder.searchText());
    m_findField->setFocus();
    m_findField->selectAll();
    updateCount();
}

void FindBar::updateEditable()
{
    const bool editable = m_finder.isEditable();
    m_replaceField->setEnabled(editable);
    m_replaceButton->setEnabled(editable);
    m_replaceAllButton->setEnabled(editable);
}

void FindBar::searchEdited(const QString& text)
{
    // Found as it is typed, from where the bar stands.
    m_finder.setSearchText(text);
    m_finder.findFromSelection();
    updateCount();
}

void FindBar::findNext()
{
    m_finder.findNext();
    updateCount();
}

void FindBar::findPrevious()
{
    m_finder.findPrevious();
    updateCount();
}

void FindBar::replace()
{
    if (m_finder.replace(m_replaceField->text()))
        m_finder.findNext();
    updateCount();
}

void FindBar::replaceAll()
{
    const int replaced = m_finder.replaceAll(m_replaceField->text());
    m_count->setText(tr("%n replaced", nullptr, replaced));
}

void FindBar::updateCount()
{
    if (isVisible() || m_finder.isFindBarVisible())
        m_count->setText(m_finder.countText());
}

bool FindBar::eventFilter(QObject* object, QEvent* event)
{
    // Shift+Return steps back, as Shift+F3 does.
    if (object == m_findField && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() & Qt::ShiftModifier) {
            findPrevious();
            return true;
        }
    }
    return QWidget::eventFilter(object, event);
}

void FindBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_finder.performAction(TableTextFinder::Action::HideFindInterface);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace Quillary::Ui
