#pragma once
// Copy and paste through the clipboard (ToBufBt / ToBufA, FromBufBt / FromBufA). A copy in play
// mode, or with Ctrl, places the whole state as "ZRKState" (a task file image with its moves and
// tree); otherwise an edit-mode snapshot as "ZRKFigs", from which the selected figures, or with
// none selected the whole field and its figures, are pasted. Paste takes "ZRKState" in either
// mode and "ZRKFigs" in edit mode only.

#include "editor/midend.h"
#include "model/platform.h"

namespace zrk {

// wholeState: Ctrl was held. Each copy replaces whatever the clipboard held.
void CopyToClipboard(TMidend& midend, IClipboard& clipboard, bool wholeState);

// keepColours: Shift was held (pasted figures keep their colours). Returns true when the task
// changed. A damaged "ZRKState" image is read into a scratch task first, so that it is refused
// with its message and leaves the task and its history as they were; only a complete image
// replaces the current task and starts a new history.
bool PasteFromClipboard(TMidend& midend, IClipboard& clipboard, bool keepColours);

} // namespace zrk
