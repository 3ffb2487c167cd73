#include "velkor/editor/preview.h"

#include "papertable/paper_record.h"
#include "resources/resource_ids.h"
#include "win/dialog_window.h"

namespace editor {

std::array<PreviewPicture, 3> PreviewPictures(int previewKind, bool negative) {
    int kindBitmap = IDB_KIND_MARK;
    if (previewKind == papertable::kKindRoll) kindBitmap = IDB_KIND_ROLL;
    if (previewKind == papertable::kKindLabel) kindBitmap = IDB_KIND_LABEL;
    int markBitmap = negative ? IDB_FEED_NEGATIVE : IDB_FEED_POSITIVE;
    if (previewKind == papertable::kKindMark)
        markBitmap = negative ? IDB_MARK_NEGATIVE : IDB_MARK_POSITIVE;
    return {{{IDC_ED_PIC_KIND, kindBitmap},
             {IDC_ED_PIC_MARK, markBitmap},
             {IDC_ED_PIC_RULER, IDB_RULER}}};
}

void DrawPreview(win::DialogWindow& window, int previewKind, bool negative) {
    for (const auto& picture : PreviewPictures(previewKind, negative)) {
        window.DrawBitmap(picture.bitmapId, window.ControlOrigin(picture.placeholderId));
    }
}

}  // namespace editor
