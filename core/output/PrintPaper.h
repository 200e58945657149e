#pragma once

#include "PrintOptions.h"

#include <QPageLayout>
#include <optional>

namespace Quillary {

/// The paper each print style needs: envelopes print on an envelope's size turned sideways, postcards
/// on a Japanese postcard; lists and labels on whatever paper is chosen.
namespace PrintPaper {

/// The layout the style prints on, starting from the chosen one: unchanged when it suits the style,
/// else a DL envelope (landscape) or a postcard (portrait), with the same margins.
[[nodiscard]] QPageLayout layoutForStyle(PrintStyle style, const QPageLayout& chosen);
/// Whether a paper is one of the envelope sizes offered (DL, C5, #10).
[[nodiscard]] bool isEnvelope(const QPageSize& size);
/// The paper of a name: "A4", "Letter", "DL", "C5", "Envelope10" or "Hagaki" (any letter case).
[[nodiscard]] std::optional<QPageSize> fromName(const QString& name);
/// The names `fromName` knows.
[[nodiscard]] QStringList names();

} // namespace PrintPaper

} // namespace Quillary
