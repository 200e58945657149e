#include "ContactCard.h"

#include "FieldEditors.h"
#include "FieldIcons.h"
#include "documents/UndoRegistry.h"
#include "editors/EditorValues.h"
#include "editors/PhotoData.h"
#include "support/FileDialog.h"
#include "support/DesktopLinks.h"
#include "support/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

constexpr int PhotoSide = 96;

/// The card's list of values; what is dragged out of it is the values' text.
class FieldList final : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override
    {
        QStringList texts;
        for (const QTreeWidgetItem* item : items)
            texts.append(item->text(1));
        auto* data = new QMimeData;
        data->setText(texts.join(u'\n'));
        return data;
    }
};

QPushButton* button(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(objectName);
    result->setAccessibleName(QString(text).remove(u'&'));
    result->setAutoDefault(false);
    return result;
}

bool hasImage(const QMimeData* data)
{
    if (data->hasImage())
        return true;
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile();
}

} // namespace

ContactCard::ContactCard(UndoRegistry& registry, std::function<bool()> canEdit, QWidget* parent)
    : QWidget(parent), m_registry(registry), m_canEdit(std::move(canEdit)), m_photo(new QLabel(this)),
      m_name(new QLabel(this)), m_subtitle(new QLabel(this)),
      m_editName(button(tr("Edit &Name…"), QStringLiteral("editNameButton"), this)),
      m_choosePhoto(button(tr("Choose &Photo…"), QStringLiteral("choosePhotoButton"), this)),
      m_removePhoto(button(tr("Remove P&hoto"), QStringLiteral("removePhotoButton"), this)),
      m_add(new QToolButton(this)), m_list(new FieldList(this))
{
    setObjectName(QStringLiteral("contactCard"));
    setAcceptDrops(true);
    m_photo->setObjectName(QStringLiteral("photo"));
    m_photo->setAccessibleName(tr("Photo"));
    m_photo->setFixedSize(PhotoSide, PhotoSide);
    m_photo->setAlignment(Qt::AlignCenter);
    m_name->setObjectName(QStringLiteral("cardName"));
    m_name->setAccessibleName(tr("Name"));
    m_name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont large = m_name->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    m_name->setFont(large);
    m_subtitle->setObjectName(QStringLiteral("cardSubtitle"));
    m_subtitle->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(m_editName, &QPushButton::clicked, this, &ContactCard::editName);
    connect(m_choosePhoto, &QPushButton::clicked, this, &ContactCard::choosePhoto);
    connect(m_removePhoto, &QPushButton::clicked, this, &ContactCard::removePhoto);
    m_add->setObjectName(QStringLiteral("addValueButton"));
    m_add->setText(QStringLiteral("+"));
    m_add->setAccessibleName(tr("Add a value"));
    m_add->setToolTip(m_add->accessibleName());
    m_add->setPopupMode(QToolButton::InstantPopup);
    m_add->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
    m_add->setMenu(new QMenu(m_add));
    connect(m_add->menu(), &QMenu::aboutToShow, this, &ContactCard::fillAddMenu);

    m_list->setObjectName(QStringLiteral("fieldList"));
    m_list->setAccessibleName(tr("Values"));
    m_list->setColumnCount(2);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->setMinimumSize(380, 240);
    connect(m_list, &QWidget::customContextMenuRequested, this, &ContactCard::showLineMenu);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int line = m_list->indexOfTopLevelItem(item);
        if (m_editEnabled)
            editLine(line);
        else
            performAction(line);
    });
    auto* copy = new QShortcut(QKeySequence::Copy, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, &ContactCard::copySelection);
    // Contact data changed anywhere (an editor, an undo): the card shows it as it is now.
    connect(&m_registry, &UndoRegistry::contactsChanged, this, &ContactCard::reload);

    auto* names = new QVBoxLayout;
    names->addWidget(m_name);
    names->addWidget(m_subtitle);
    names->addStretch(1);
    auto* nameButtons = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_editName, m_choosePhoto, m_removePhoto})
        nameButtons->addWidget(widget);
    nameButtons->addStretch(1);
    names->addLayout(nameButtons);
    auto* header = new QHBoxLayout;
    header->addWidget(m_photo);
    header->addLayout(names, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(m_add);
    addRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(header);
    layout->addWidget(m_list, 1);
    layout->addLayout(addRow);
    setEditEnabled(false);
}

ContactCard::~ContactCard() = default;

void ContactCard::setContact(const ContactEntryPtr& contact)
{
    m_contact = contact;
    reload();
}

void ContactCard::setEditEnabled(bool on)
{
    m_editEnabled = on && m_canEdit();
    for (QWidget* widget : std::initializer_list<QWidget*>{m_editName, m_choosePhoto, m_removePhoto, m_add})
        widget->setVisible(m_editEnabled);
    m_removePhoto->setEnabled(m_contact && !m_contact->person->photoData().isEmpty());
}

void ContactCard::reload()
{
    m_list->clear();
    m_lines.clear();
    // A contact that was deleted, or left the document when it was read again, has no card.
    if (!m_contact || !m_contact->person || m_contact->deleted
        || !m_registry.collection().contactTable.contains(m_contact)) {
        m_name->clear();
        m_subtitle->clear();
        m_photo->clear();
        return;
    }
    const PersonDsc& person = *m_contact->person;
    const QString name = person.compositeName();
    m_name->setText(name.isEmpty() ? tr("No name") : name);
    QStringList subtitle{person.stringValueForIdentifier(Field::JobTitle),
                         person.stringValueForIdentifier(Field::Company)};
    subtitle.removeAll(QString());
    m_subtitle->setText(subtitle.join(QStringLiteral(" — ")));
    const QImage photo = person.photo();
    if (photo.isNull())
        m_photo->setPixmap(FieldIcons::initials(name, PhotoSide));
    else
        m_photo->setPixmap(
            QPixmap::fromImage(photo.scaled(PhotoSide, PhotoSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_removePhoto->setEnabled(!photo.isNull());
    m_lines = ContactCardModel::fields(person);
    QList<QTreeWidgetItem*> items;
    items.reserve(m_lines.size());
    for (const CardField& line : std::as_const(m_lines)) {
        auto* item = new QTreeWidgetItem({line.label, line.text});
        item->setIcon(0, FieldIcons::icon(line.identifier));
        item->setToolTip(1, line.text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
}

EditorOptions ContactCard::editorOptions() const
{
    EditorOptions options;
    options.canEdit = m_canEdit();
    options.contacts = m_registry.collection().contactTable;
    return options;
}

QRect ContactCard::lineRect(int line) const
{
    const QTreeWidgetItem* item = m_list->topLevelItem(line);
    const QRect rect = item ? m_list->visualItemRect(item) : m_list->rect();
    return {m_list->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
}

int ContactCard::currentLine() const
{
    return m_list->indexOfTopLevelItem(m_list->currentItem());
}

void ContactCard::openEditor(PopoverKind kind, const EditorContext& context, const QRect& anchor)
{
    FieldEditors::open(kind, context, editorOptions(), window(), anchor,
                       [this](const EditorContext& closed) { EditorValues::apply(m_registry, closed); });
}

void ContactCard::editLine(int line)
{
    if (!m_contact || line < 0 || line >= m_lines.size())
        return;
    const CardField& field = m_lines.at(line);
    openEditor(ContactCardModel::editorFor(field.identifier),
               ContactCardModel::contextFor(m_contact, field.identifier, field.labelIndex, m_editEnabled),
               lineRect(line));
}

void ContactCard::editName()
{
    if (m_contact)
        openEditor(PopoverKind::Name, ContactCardModel::contextFor(m_contact, Field::Name, -1, m_editEnabled),
                   QRect(m_name->mapToGlobal(QPoint()), m_name->size()));
}

void ContactCard::addValue(const QString& identifier)
{
    if (m_contact)
        openEditor(ContactCardModel::editorFor(identifier),
                   ContactCardModel::contextFor(m_contact, identifier, -1, m_editEnabled),
                   QRect(m_add->mapToGlobal(QPoint()), m_add->size()));
}

void ContactCard::fillAddMenu()
{
    QMenu* menu = m_add->menu();
    menu->clear();
    if (!m_contact)
        return;
    for (const QString& identifier : ContactCardModel::addableFields(*m_contact->person)) {
        QAction* action = menu->addAction(FieldIcons::icon(identifier), fieldTitle(identifier));
        action->setObjectName(identifier);
        connect(action, &QAction::triggered, this, [this, identifier] { addValue(identifier); });
    }
}

void ContactCard::performAction(int line, bool alternate)
{
    if (line < 0 || line >= m_lines.size())
        return;
    const CardField& field = m_lines.at(line);
    const QUrl url = alternate ? field.alternateUrl : field.url;
    if (field.action != CardAction::None && url.isValid() && !url.isEmpty())
        DesktopLinks::open(url);
}

void ContactCard::copySelection() const
{
    QStringList texts;
    for (const QTreeWidgetItem* item : m_list->selectedItems())
        texts.append(item->text(1));
    if (!texts.isEmpty())
        QApplication::clipboard()->setText(texts.join(u'\n'));
}

void ContactCard::showLineMenu(const QPoint& position)
{
    const int line = m_list->indexOfTopLevelItem(m_list->itemAt(position));
    if (line < 0)
        return;
    QMenu menu(this);
    menu.addAction(tr("Copy"), this, &ContactCard::copySelection);
    switch (m_lines.at(line).action) {
    case CardAction::Call:
        menu.addAction(tr("Call"), this, [this, line] { performAction(line); });
        break;
    case CardAction::Mail:
        menu.addAction(tr("Send Email"), this, [this, line] { performAction(line); });
        break;
    case CardAction::OpenUrl:
        menu.addAction(tr("Open URL"), this, [this, line] { performAction(line); });
        break;
    case CardAction::Map:
        menu.addAction(tr("Show on Map"), this, [this, line] { performAction(line); });
        menu.addAction(tr("Search on Web Map"), this, [this, line] { performAction(line, true); });
        break;
    case CardAction::None:
        break;
    }
    if (m_editEnabled) {
        menu.addSeparator();
        menu.addAction(tr("Edit…"), this, [this, line] { editLine(line); });
    }
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void ContactCard::applyPhoto(const QByteArray& data)
{
    if (!m_contact || !m_editEnabled)
        return;
    EditorContext context = ContactCardModel::contextFor(m_contact, Field::Photo, -1, true);
    context.dirty = true;
    context.value = PhotoValue{data};
    EditorValues::apply(m_registry, context);
}

void ContactCard::choosePhoto()
{
    FileDialog::Options options;
    options.title = tr("Choose Photo");
    options.acceptLabel = tr("Choose");
    options.nameFilters = {tr("Images (*.png *.jpg *.jpeg *.gif *.bmp *.ico *.ppm *.pgm *.pbm *.xbm *.xpm)"),
                           tr("All Files (*)")};
    const QStringList files = FileDialog::getOpenFileNames(window(), options);
    if (files.isEmpty())
        return;
    const PhotoData::Result photo = PhotoData::fromFile(files.first());
    if (photo.data.isEmpty())
        MessageBox::alert(window(), tr("The photo could not be set."), photo.error);
    else
        applyPhoto(photo.data);
}

void ContactCard::removePhoto()
{
    applyPhoto({});
}

bool ContactCard::setPhotoFrom(const QMimeData* data)
{
    if (!m_editEnabled || !data || !hasImage(data))
        return false;
    QByteArray photo;
    if (data->hasImage())
        photo = PhotoData::fromImage(qvariant_cast<QImage>(data->imageData()));
    else
        photo = PhotoData::fromFile(data->urls().first().toLocalFile()).data;
    if (photo.isEmpty())
        return false;
    applyPhoto(photo);
    return true;
}

void ContactCard::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_editEnabled && event->source() != m_list && hasImage(event->mimeData()))
        event->acceptProposedAction();
}

void ContactCard::dropEvent(QDropEvent* event)
{
    if (setPhotoFrom(event->mimeData()))
        event->acceptProposedAction();
}

} // namespace Quillary::Ui
