#include "MergePanelController.h"

#include "FieldEditors.h"
#include "MergeSideView.h"
#include "PhotoWell.h"
#include "editors/MergeSideModel.h"
#include "editors/PhotoData.h"
#include "find/FindMenus.h"
#include "support/DesktopLinks.h"
#include "support/FileDialog.h"
#include "support/Localized.h"
#include "support/MessageBox.h"
#include "support/PanelUndo.h"
#include "table/WorkspaceLinks.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

using Side = MergePanelModel::Side;
constexpr Side Sides[] = {Side::Left, Side::Right};

QString imageFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    return QCoreApplication::translate("Quillary::Ui", "Images (%1)").arg(patterns.join(u' '));
}

} // namespace

MergePanelController::MergePanelController(QWidget* parent) : QDialog(parent), m_model(new MergePanelModel(this))
{
    setObjectName(QStringLiteral("mergePanel"));
    setWindowTitle(tr("Merge Contacts"));
    setWindowModality(Qt::WindowModal);
    m_lock = EditLockControls::create(this);
    connect(m_lock.button, &QToolButton::clicked, this, [this](bool on) {
        m_model->setEditState(on);
        updateState(); // a refused change puts the button back
    });
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAccessibleName(tr("Cancel"));
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_doneButton = new QPushButton(this);
    m_doneButton->setObjectName(QStringLiteral("doneButton"));
    m_doneButton->setAccessibleName(tr("Done"));
    m_doneButton->setDefault(true);
    connect(m_doneButton, &QPushButton::clicked, this, &MergePanelController::confirm);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_lock.button);
    top->addStretch();
    layout->addLayout(top);
    layout->addWidget(m_lock.separator);
    auto* sides = new QHBoxLayout;
    for (const Side side : Sides)
        sides->addWidget(makeSide(side), 1);
    layout->addLayout(sides, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_cancelButton);
    bottom->addWidget(m_doneButton);
    layout->addLayout(bottom);

    // The two sides scroll together, so that a field stays on one line across them.
    QScrollBar* left = m_views[0]->verticalScrollBar();
    QScrollBar* right = m_views[1]->verticalScrollBar();
    connect(left, &QScrollBar::valueChanged, right, &QScrollBar::setValue);
    connect(right, &QScrollBar::valueChanged, left, &QScrollBar::setValue);
    connect(m_model, &MergePanelModel::stateChanged, this, &MergePanelController::updateState);
    connect(m_model, &MergePanelModel::rowsReloaded, this, &MergePanelController::rowsReloaded);
    addUndoActions(this, m_model->undoStack());
    resize(900, 620);
}

MergePanelController::~MergePanelController() = default;

QWidget* MergePanelController::makeSide(Side side)
{
    const int n = int(side);
    const QString name = side == Side::Left ? QStringLiteral("left") : QStringLiteral("right");
    auto* widget = new QWidget(this);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* header = new QHBoxLayout;
    m_photos[n] = new PhotoWell(widget);
    m_photos[n]->setObjectName(name + QStringLiteral("Photo"));
    connect(m_photos[n], &PhotoWell::imageDropped, this,
            [this, side](const QImage& image) { m_model->setPhoto(side, image); });
    m_names[n] = new QLabel(widget);
    m_names[n]->setObjectName(name + QStringLiteral("Name"));
    QFont bold = m_names[n]->font();
    bold.setBold(true);
    m_names[n]->setFont(bold);
    header->addWidget(m_photos[n]);
    header->addWidget(m_names[n], 1);
    layout->addLayout(header);

    m_sides[n] = new MergeSideModel(*m_model, side, this);
    m_views[n] = new MergeSideView(widget);
    m_views[n]->setObjectName(name + QStringLiteral("Table"));
    m_views[n]->setAccessibleName(side == Side::Left ? tr("Left contact") : tr("Right contact"));
    m_views[n]->setModel(m_sides[n]);
    m_views[n]->horizontalHeader()->setSectionResizeMode(MergeSideModel::FieldColumn, QHeaderView::ResizeToContents);
    m_views[n]->horizontalHeader()->setSectionResizeMode(MergeSideModel::LabelColumn, QHeaderView::ResizeToContents);
    layout->addWidget(m_views[n], 1);
    connect(m_views[n], &MergeSideView::rowMenuRequested, this,
            [this, side](int row, const QPoint& position) { showRowMenu(side, row, position); });
    connect(m_views[n], &QAbstractItemView::doubleClicked, this, [this, side](const QModelIndex& index) {
        const QString type = index.data(MergeSideModel::TypeRole).toString();
        if (type == Field::Birthday || type == Field::Dates || type == Field::Address || type == Field::InstantMessage)
            openEditor(side, index.row());
    });
    // A reload keeps the row selected and where the table was scrolled.
    connect(m_sides[n], &QAbstractItemModel::modelAboutToBeReset, this,
            [this, n] { m_scrollKept[n] = m_views[n]->verticalScrollBar()->value(); });
    connect(m_sides[n], &QAbstractItemModel::modelReset, this,
            [this, n] { m_views[n]->verticalScrollBar()->setValue(m_scrollKept[n]); });
    return widget;
}

void MergePanelController::setContextInfo(const ContactTable& contacts, bool editable, const QFont& font,
                                          bool vCardDocument)
{
    for (MergeSideView* view : m_views) {
        view->setFont(font);
        view->verticalHeader()->setDefaultSectionSize(qMax(22, QFontMetrics(font).height() + 6));
    }
    for (MergeSideModel* side : m_sides)
        side->setNameOrderingToolTip(vCardDocument ? tr("Changes will not be saved") : QString());
    m_model->setContacts(contacts, editable);
    m_lock.button->setEnabled(editable);
}

ContactTable MergePanelController::contacts() const
{
    return {m_model->original(Side::Left), m_model->original(Side::Right)};
}

void MergePanelController::updateState()
{
    const bool on = m_model->editState();
    m_lock.show(on);
    m_doneButton->setText(m_model->doneTitle());
    m_doneButton->setEnabled(m_model->isDoneEnabled());
    m_cancelButton->setVisible(on);
    for (const Side side : Sides) {
        m_photos[int(side)]->setDropEnabled(on);
        m_views[int(side)]->setDragEnabled(on);
    }
}

void MergePanelController::rowsReloaded()
{
    if (!m_model->hasContacts())
        return;
    const MergeRows& left = m_model->rows(Side::Left);
    const MergeRows& right = m_model->rows(Side::Right);
    const int lineHeight = m_views[0]->verticalHeader()->defaultSectionSize();
    for (int row = 0; row < left.size() && row < right.size(); ++row) {
        // Both sides take the taller of the two rows, so that the rows stay side by side.
        const int lines = qMax(left.at(row).numLines, right.at(row).numLines);
        for (MergeSideView* view : m_views)
            view->setRowHeight(row, lineHeight * lines);
    }
    for (const Side side : Sides) {
        const PersonDsc& person = *m_model->copy(side)->person;
        m_names[int(side)]->setText(m_model->displayName(side));
        m_photos[int(side)]->setPhoto(person.photo());
    }
    updateState();
}

void MergePanelController::confirm()
{
    // A value still being typed is taken first: leaving its cell commits it.
    for (MergeSideView* view : m_views)
        view->setCurrentIndex({});
    if (m_model->changeCount() >= 1)
        accept();
    else
        reject();
}

void MergePanelController::openEditor(Side side, int row)
{
    const QString type = m_model->rows(side).value(row).type;
    const FieldId id = FieldIdentifiers::fieldId(type);
    PopoverKind kind = PopoverKind::Value;
    if (id == FieldId::Birthday || id == FieldId::Dates)
        kind = PopoverKind::Date;
    else if (id == FieldId::Address)
        kind = PopoverKind::Address;
    else if (id == FieldId::InstantMessage)
        kind = PopoverKind::InstantMessage;
    else if (!FieldIdentifiers::labeledField(id))
        return;
    MergeSideView* view = m_views[int(side)];
    const QRect cell = view->visualRect(view->model()->index(row, MergeSideModel::ValueColumn));
    EditorOptions options;
    options.canEdit = m_model->isEditable();
    options.contacts = {m_model->copy(Side::Left), m_model->copy(Side::Right)};
    FieldEditors::open(kind, m_model->editorContext(side, row), options, this,
                       QRect(view->viewport()->mapToGlobal(cell.topLeft()), cell.size()),
                       [this](const EditorContext& closed) { m_model->applyEditor(closed); });
}

void MergePanelController::addPhoto(Side side)
{
    FileDialog::Options options;
    options.title = tr("Add Photo");
    options.acceptLabel = tr("Open");
    options.nameFilters = {imageFilter()};
    const QStringList files = FileDialog::getOpenFileNames(this, options);
    if (files.isEmpty())
        return;
    const PhotoData::Result photo = PhotoData::fromFile(files.first());
    if (photo.data.isEmpty()) {
        MessageBox::alert(this, tr("Can't read the image"), photo.error);
        return;
    }
    m_model->setPhotoData(side, photo.data);
}

void MergePanelController::showRowMenu(Side side, int row, const QPoint& position)
{
    const std::unique_ptr<QMenu> menu(rowMenu(side, row));
    if (!menu->isEmpty())
        menu->exec(position);
}

QMenu* MergePanelController::rowMenu(Side side, int row)
{
    const MergeRow target = m_model->rows(side).at(row);
    const PersonDsc& person = *m_model->copy(side)->person;
    const QString text = person.stringValueForIdentifier(target.type, qMax<qsizetype>(0, target.index));
    const bool editing = m_model->editState();
    auto* menu = new QMenu(this);
    const FieldId id = FieldIdentifiers::fieldId(target.type);
    const bool real = !target.isFiller() && !text.isEmpty();
    if (id == FieldId::Address && real)
        menu->addAction(tr("Open Map"), this, [text] { DesktopLinks::open(WorkspaceLinks::map(text)); });
    if (id == FieldId::Email && real)
        menu->addAction(tr("Send Email"), this, [text] { DesktopLinks::open(WorkspaceLinks::email(text)); });
    if (id == FieldId::Phone && real)
        menu->addAction(tr("Call Phone"), this, [text] { DesktopLinks::open(WorkspaceLinks::phone(text)); });
    if (id == FieldId::URL && real)
        menu->addAction(tr("Open URL"), this, [text] { DesktopLinks::open(WorkspaceLinks::web(text)); });
    if ((id == FieldId::Dates || id == FieldId::Birthday) && real) {
        const DateComponents date = id == FieldId::Birthday
            ? person.birthdayValue().value
            : person.labeledValueForIdentifier(target.type, target.index).value_or(LabeledValue()).date;
        const QString summary = m_model->displayName(side) + u' ' + localized(target.type);
        menu->addAction(tr("Open Calendar"), this, [date, summary] { DesktopLinks::openDate(date, summary); });
    }
    if (FieldIdentifiers::labeledField(id) || id == FieldId::Birthday)
        menu->addAction(tr("Open Edit Panel"), this, [this, side, row] { openEditor(side, row); })->setEnabled(editing);
    if (id == FieldId::Photo) {
        menu->addAction(tr("Add Photo"), this, [this, side] { addPhoto(side); })->setEnabled(editing);
        menu->addAction(tr("Delete Photo"), this, [this, side] { m_model->setPhoto(side, {}); })
            ->setEnabled(editing && !person.photoData().isEmpty());
    }
    return menu;
}

} // namespace Quillary::Ui
