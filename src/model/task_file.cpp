#include "model/task_file.h"
