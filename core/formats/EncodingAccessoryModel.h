#pragma once

#include "TextEncodings.h"

#include <QList>
#include <QObject>
#include <QStringList>

namespace Quillary {

/// One encoding of the accessory's table: shown in the pop-up when "checkBox" is set.
struct EncodingTableEntry
{
    quint32 nsEncoding = TextEncodings::Automatic;
    QString encodingName;
    bool checkBox = false;
    bool operator==(const EncodingTableEntry&) const = default;
};

/// One item of the "Encoding:" pop-up.
struct EncodingMenuItem
{
    enum class Kind { Automatic, Encoding, Separator, Customize };
    Kind kind = Kind::Encoding;
    QString title;
    quint32 encoding = TextEncodings::Automatic; ///< the represented encoding number
    bool operator==(const EncodingMenuItem&) const = default;
};

/// The state behind the encoding pop-up that open panels and import sheets show: which encodings
/// the user lets the pop-up offer (kept by the caller, e.g. in the user's preferences), the
/// pop-up's items and selection, and the edits of the "Customize Encoding List…" panel. The
/// widgets only mirror it.
class EncodingAccessoryModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncodingAccessoryModel)

public:
    /// Fills the table, ticks the stored choice (the display names of checkedEncodingNames(); none
    /// means the defaults for the preferred languages) and builds the pop-up.
    explicit EncodingAccessoryModel(const QStringList& storedEncodings = {},
                                    const QStringList& preferredLanguages = systemPreferredLanguages(),
                                    QObject* parent = nullptr);
    ~EncodingAccessoryModel() override;

    /// The user's languages in order of preference (BCP 47 codes as the system reports them).
    [[nodiscard]] static QStringList systemPreferredLanguages();

    [[nodiscard]] const QList<EncodingTableEntry>& currentEncodings() const { return m_encodingTable; }
    [[nodiscard]] int accessoryType() const { return m_accessoryType; }
    [[nodiscard]] quint32 encoding() const { return m_encoding; }
    [[nodiscard]] QString utf8LocalizedName() const { return m_utf8LocalizedName; }
    [[nodiscard]] QString utf16LocalizedName() const { return m_utf16LocalizedName; }

    /// Pop-up items and the selected index (-1 when nothing can be selected).
    [[nodiscard]] const QList<EncodingMenuItem>& items() const { return m_items; }
    [[nodiscard]] int currentIndex() const { return m_currentIndex; }

    /// Puts the pop-up in the mode that open panels use: "Automatic" first, and selected.
    void setEncodingOnly();
    /// 0 for "Automatic" (or no encoding selected), else the selected encoding's number.
    quint32 encodingType();
    /// The name a file is read with in the selected encoding: "auto" for "Automatic".
    [[nodiscard]] QByteArray encodingNameForReading();
    [[nodiscard]] QString encodingTypeName() const;
    /// Back to the initial choice: "Automatic" in encoding-only mode, else UTF-8 or the first item.
    void resetMenu();
    /// The user picked an item. Returns false, leaving the selection, for the separator and for
    /// "Customize Encoding List…" (whose panel the view then opens).
    bool selectItem(int index);

    /// Customize panel edits. Ticking puts the encoding at the top of the pop-up and selects it;
    /// unticking removes it and selects the first item.
    void setChecked(int row, bool checked);
    void selectAll();
    void clearAll();
    void revert();
    /// The display names of the ticked encodings, as they are stored.
    [[nodiscard]] QStringList checkedEncodingNames() const;
    /// Hands the ticked names to `encodingsSaved`; the view calls it when the customize panel closes.
    void saveEncodings();

    /// The ticks for a first start: UTF-8, UTF-16BE and the encodings of the preferred languages.
    void defaultEncodings();

Q_SIGNALS:
    void itemsChanged();
    void currentIndexChanged(int index);
    void checkBoxChanged(int row);
    void encodingTableReset();
    /// The user closed the customize panel with these encodings ticked: the list to store.
    void encodingsSaved(const QStringList& names);

private:
    void initEncodings();
    void loadEncodings(const QStringList& stored);
    void setupEncodingPopup();
    void setCurrentIndex(int index);
    void selectFirstItem();
    [[nodiscard]] int indexOfEncoding(quint32 encoding) const;
    void setAllChecked(bool checked);

    QStringList m_preferredLanguages;
    QList<EncodingTableEntry> m_encodingTable;
    QList<EncodingMenuItem> m_items;
    int m_currentIndex = -1;
    int m_accessoryType = 0;
    quint32 m_encoding = TextEncodings::Automatic;
    QString m_utf8LocalizedName;
    QString m_utf16LocalizedName;
};

} // namespace Quillary
