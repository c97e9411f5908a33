// zrk-cli export TASK.zrk OUT.json: the JSON export of a task file.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/play_session.h"
#include "model/json_export.h"
#include "play/json_play.h"

namespace zrk::cli {

int RunExport(int argc, char** argv) {
  if (const int bad = CheckFileArguments("export", argc, argv, {"не указан файл задачи", "не указан файл JSON"}))
    return bad;
  TPlaySession s;
  if (!s.Load(argv[0])) return 2;
  const std::string json = ExportTaskJson(s.Task, JsonPlayData(s.Engine));
  return WriteWholeFile(argv[1], json.data(), json.size(), &s.Reporter) ? 0 : 2;
}

} // namespace zrk::cli
