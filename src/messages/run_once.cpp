#include "messages/run_once.h"

namespace INI_Read_Write {

void ResetRunOnce() {
    RunOnce.assign(1, 0);
}

}  // namespace INI_Read_Write
