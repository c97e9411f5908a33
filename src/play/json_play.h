#pragma once
// What the JSON export writes of play mode: the played line, the solution and the remote line.

#include "model/json_export.h"
#include "play/play_engine.h"

namespace zrk {

TJsonPlay JsonPlayData(const TPlayEngine& engine);

} // namespace zrk
