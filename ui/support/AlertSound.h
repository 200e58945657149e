#pragma once

namespace Quillary::Ui {

/// The desktop's alert sound, for a request that found nothing. Tests read how often it played.
class AlertSound final
{
public:
    AlertSound() = delete;

    static void play();
    [[nodiscard]] static int playedCount();
};

} // namespace Quillary::Ui
