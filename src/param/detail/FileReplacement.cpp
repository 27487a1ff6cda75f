#include "FileReplacement.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "Texts.h"

namespace param_detail {
namespace {

namespace fs = std::filesystem;

// A name for the new file that no other writer picks: random where the system gives randomness, and
// tried again when taken all the same.
std::string besideName(const fs::path& target, unsigned attempt) {
    unsigned long long noise = std::chrono::steady_clock::now().time_since_epoch().count();
    try {
        std::random_device device;
        noise ^= (static_cast<unsigned long long>(device()) << 32) ^ device();
    } catch (...) {
        noise ^= reinterpret_cast<std::uintptr_t>(&target);  // no randomness: the time and this call's place
    }
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%016llx%u.writing", noise, attempt);
    return target.string() + suffix;
}

// Creates a new file under a name no file or link has yet; null with reason when it cannot.
std::FILE* createBeside(const fs::path& target, std::string& name, std::string& reason) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        name = besideName(target, attempt);
        errno = 0;
        // "x": the file must not exist, and a link there is not followed.
        if (std::FILE* file = std::fopen(name.c_str(), "wbx")) return file;
        if (errno != EEXIST) {
            reason = std::generic_category().message(errno);
            return nullptr;
        }
    }
    reason = std::generic_category().message(EEXIST);
    return nullptr;
}

bool written(std::FILE* file, const std::string& content, std::string& reason) {
    errno = 0;
    const bool complete = std::fwrite(content.data(), 1, content.size(), file) == content.size() && std::fflush(file) == 0;
    const int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (complete && closed) return true;
    reason = std::generic_category().message(error != 0 ? error : errno != 0 ? errno : EIO);
    return false;
}

}  // namespace

bool replaceFile(const char* name, const std::string& content, std::string& reason) {
    std::error_code error;
    fs::path target = name;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        target = fs::canonical(target, error);
        if (error) {
            reason = error.message();
            return false;
        }
    }
    const fs::file_status status = fs::status(target, error);
    const bool exists = fs::exists(status);
    if (exists && !fs::is_regular_file(status)) {
        reason = text::notARegularFile();
        return false;
    }
    std::string beside;
    std::FILE* file = createBeside(target, beside, reason);
    if (file == nullptr) return false;
    // The existing file's permission bits before its content: no one the target keeps out may read
    // the new file meanwhile.
    std::error_code refused;
    if (exists) {
        fs::permissions(beside, status.permissions(), refused);
        if (refused) reason = refused.message();
    }
    bool done = false;
    if (refused) {
        std::fclose(file);
    } else {
        done = written(file, content, reason);
    }
    if (done) {
        fs::rename(beside, target, error);
        if (error) reason = error.message();
        done = !error;
    }
    if (!done) fs::remove(beside, error);
    return done;
}

}  // namespace param_detail
