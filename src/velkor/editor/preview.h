// The editor's schematic: three pictures at three placeholders, chosen by the kind
// shown and by the sign of the mark offset.
#pragma once

#include <array>

namespace win {
class DialogWindow;
}

namespace editor {

struct PreviewPicture {
    int placeholderId = 0;
    int bitmapId = 0;
    bool operator==(const PreviewPicture&) const = default;
};

// In drawing order: 1009, 1033, 1010.
std::array<PreviewPicture, 3> PreviewPictures(int previewKind, bool markOffsetNegative);

// Draws the pictures at their placeholders; a picture that cannot be loaded leaves
// its place empty and the others are still drawn.
void DrawPreview(win::DialogWindow& window, int previewKind, bool markOffsetNegative);

}  // namespace editor
