#include "core/shared.h"

namespace qid {

QString app_path;
bool page_err = false;

}  // namespace qid
