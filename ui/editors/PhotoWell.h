#pragma once

#include <QLabel>

class QMimeData;

namespace Quillary::Ui {

/// A contact's photo in the merge panel: shows it, and takes an image dropped on it (image data or
/// an image file) while dropping is allowed.
class PhotoWell final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PhotoWell)

public:
    static constexpr int Side = 72;

    explicit PhotoWell(QWidget* parent = nullptr);
    ~PhotoWell() override = default;

    void setPhoto(const QImage& image);
    void setDropEnabled(bool enabled) { m_dropEnabled = enabled; }

    /// The image a drop carries; null when it carries none.
    [[nodiscard]] static QImage imageOf(const QMimeData* data);

Q_SIGNALS:
    void imageDropped(const QImage& image);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool m_dropEnabled = false;
};

} // namespace Quillary::Ui
