// Replacing a file's content all at once, safely in a folder that others may write into too.
#ifndef PARAM_DETAIL_FILEREPLACEMENT_H
#define PARAM_DETAIL_FILEREPLACEMENT_H

#include <string>

namespace param_detail {

// Makes content the whole content of the file name, or leaves everything as it was and says why in
// reason: the content goes to a new file beside it (created exclusively under a name of its own, so
// that no file or link found there is followed or overwritten, and no other writer uses it), which
// then replaces the file in one step. An existing file keeps its permission bits; a link is written
// through and stays a link; a name that is something else (a folder, a device, a pipe) is refused.
bool replaceFile(const char* name, const std::string& content, std::string& reason);

}  // namespace param_detail

#endif
