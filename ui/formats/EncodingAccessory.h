#pragma once

#include <QWidget>

class QComboBox;

namespace Quillary {
class EncodingAccessoryModel;
}

namespace Quillary::Ui {

class EncodingListPanel;

/// The "Encoding:" pop-up below the file list of the open panel and of the import panel. It
/// mirrors its model: "Automatic", the encodings the user chose to see, and "Customize Encoding
/// List…", which opens the panel where that choice is made.
class EncodingAccessory final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncodingAccessory)

public:
    /// The model is put in encoding-only mode; it must outlive the view.
    explicit EncodingAccessory(EncodingAccessoryModel* model, QWidget* parent = nullptr);
    ~EncodingAccessory() override;

    [[nodiscard]] EncodingAccessoryModel* model() const { return m_model; }
    [[nodiscard]] QComboBox* popup() const { return m_encodingTypePopup; }
    /// Opens the customize panel, as choosing its item does.
    void openEncodingListPanel();
    [[nodiscard]] EncodingListPanel* encodingListPanel() const { return m_panel; }

private:
    void rebuildItems();
    void showCurrentIndex();
    void itemChosen(int index);

    EncodingAccessoryModel* m_model;
    QComboBox* m_encodingTypePopup;
    EncodingListPanel* m_panel = nullptr;
    bool m_rebuilding = false;
};

} // namespace Quillary::Ui
