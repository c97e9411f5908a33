#include "editor/clip_exchange.h"

#include <memory>

#include "editor/clip_paste.h"
#include "editor/editor_messages.h"
#include "model/clipboard.h"
#include "model/figs_image.h"
#include "model/task_file.h"

namespace zrk {

static_assert(FigsImageSize == SnapshotSize, "the figure image is the edit-mode undo snapshot");

namespace {

// Collects the messages of a trial read, to be shown only when the image is refused.
class TKeptMessages final : public IReporter {
 public:
  void Report(MsgKind kind, const std::string& caption, const std::string& text) override {
    Messages.push_back({kind, caption, text});
  }
  struct TMessage {
    MsgKind Kind;
    std::string Caption, Text;
  };
  std::vector<TMessage> Messages;
};

// The whole image is read into a scratch task with a play engine of its own; true when it read
// completely. The messages of a refusal go to reporter.
bool ImageReads(const std::vector<uint8_t>& bytes, IReporter& reporter) {
  auto scratch = std::make_unique<TTask>();
  auto play = std::make_unique<TPlayEngine>(*scratch);
  TKeptMessages kept;
  TRe re(bytes);
  const bool ok = bytes.size() <= MaxFileBytes && ReadTask(*scratch, re, std::string(), TTaskIo{&kept, play.get(), nullptr});
  if (ok) return true;
  if (kept.Messages.empty()) reporter.Report(MsgKind::Error, ClipboardErrorCaption, TaskFileError);
  for (const auto& m : kept.Messages) reporter.Report(m.Kind, m.Caption, m.Text);
  return false;
}

bool PasteState(TMidend& midend, std::vector<uint8_t> bytes) {
  if (!ImageReads(bytes, midend.Reporter())) return false;
  TRe re(std::move(bytes));
  const bool ok = ReadTask(midend.Task, re, std::string(), midend.Io());
  if (ok) midend.UndoRing.ClearUndo();
  midend.Pointer.FixMode = false;
  midend.ShowTask();
  return ok;
}

bool PasteImage(TMidend& midend, const std::vector<uint8_t>& bytes, bool keepColours) {
  const std::optional<TFigsImage> image = DecodeFigsImage(bytes.data(), bytes.size());
  if (!image) {
    midend.Reporter().Report(MsgKind::Error, EditorErrorCaption, IncompatibleVersionText);
    return false;
  }
  TFloatSel fs;
  fs.S = midend.Task.Options.WC;
  if (!PasteFigs(midend.Task, midend.Colours, fs, *image, keepColours, midend.Reporter())) return false;
  midend.Task.SelSummary();
  // A pasted field may be wider than the old one, and the end view stands beside it.
  midend.Relayout();
  midend.Refresh(UndoStep::New);
  return true;
}

} // namespace

void CopyToClipboard(TMidend& midend, IClipboard& clipboard, bool wholeState) {
  if (midend.Task.Options.Play || wholeState) {
    TWr wr;
    WriteTask(midend.Task, wr, midend.Io());
    PutClipBlock(clipboard, StateFormat, wr.Bytes());
    return;
  }
  std::vector<uint8_t> snapshot;
  // An edit-mode snapshot always fits.
  midend.UndoRing.TakeSnapshot(snapshot);
  PutClipBlock(clipboard, FigsFormat, snapshot);
}

bool PasteFromClipboard(TMidend& midend, IClipboard& clipboard, bool keepColours) {
  midend.StopAnimation();
  if (std::optional<std::vector<uint8_t>> state = GetClipBlock(clipboard, StateFormat))
    return PasteState(midend, std::move(*state));
  if (midend.Task.Options.Play) return false;
  const std::optional<std::vector<uint8_t>> figs = GetClipBlock(clipboard, FigsFormat);
  return figs && PasteImage(midend, *figs, keepColours);
}

} // namespace zrk
