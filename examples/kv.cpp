// kv: a small key-value store in a text file, a line "KEY<TAB>VALUE" for each key.
//
//   kv [--store FILE] put KEY VALUE     store VALUE under KEY, replacing what it held
//   kv [--store FILE] get KEY           print the value of KEY and a line end
//   kv [--store FILE] list [--prefix P] print every line of the store whose key begins with P
//   kv [--store FILE] remove KEY...     remove the keys
//
// The store is --store FILE, else the environment variable KV_STORE, else kv.store in the working
// directory; a store that does not exist yet is empty. It is written all or nothing: into a new file
// beside it, which then replaces it (through a link, the file the link names).
//
// It is a host of the new interface with commands: each has its own parameters and help screen
// (kv put --help), --store may stand before or after the command, a mistyped command or option is
// answered with the closest name, kv --completion SHELL writes the completion script and kv --manual
// man (or markdown) the manual page.
//
// Exit status: 0 after success, help, version, completion script and manual page; 1 when a key is absent (get, remove)
// or the store cannot be read or written; 2 after a problem with the words.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <param/Command.h>

namespace {

using Store = std::map<std::string, std::string>;  // in byte order of the keys

// A key holds no tab and no line end, and is not empty; a value holds no line end.
const char* keyProblem(const std::string& key) {
    if (key.empty()) return "must not be empty";
    return key.find_first_of("\t\r\n") == std::string::npos ? "" : "must hold no tab and no line end";
}
const char* valueProblem(const std::string& value) {
    return value.find_first_of("\r\n") == std::string::npos ? "" : "must hold no line end";
}

namespace fs = std::filesystem;

bool cannot(const char* what, const std::string& name) {
    std::cerr << "kv: cannot " << what << " '" << name << "'\n";
    return false;
}

// Reads every line of the store; a store that does not exist yet is empty. Anything that is no
// regular file, or a read that fails on the way, is no store: writing it back would lose keys.
bool readStore(const std::string& name, Store& store) {
    std::error_code error;
    const fs::file_status status = fs::status(name, error);
    if (status.type() == fs::file_type::not_found) return true;  // nothing stored yet
    if (!fs::is_regular_file(status)) return cannot("read", name);
    std::ifstream in(name, std::ios::binary);
    long number = 0;
    for (std::string line; in && std::getline(in, line);) {
        ++number;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos || tab == 0) {
            std::cerr << "kv: " << name << ":" << number << ": not a line KEY<TAB>VALUE\n";
            return false;
        }
        store[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return in.eof() && !in.bad() ? true : cannot("read", name);
}

// The file a store's name stands for: a link's target (where the link points to nothing yet, the
// name it points to), else the name itself.
std::string storeFile(const std::string& given) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(given, error))) return given;
    const fs::path target = fs::read_symlink(given, error);
    if (error) return {};
    return (target.is_absolute() ? target : fs::path(given).parent_path() / target).string();
}

// Writes the store into a file of a new name beside it (created exclusively: nothing there is
// followed or overwritten, and given the store's permission bits before any key is in it), then
// renames that over the store. A store that is a link is written through and stays a link.
bool writeStore(const std::string& given, const Store& store) {
    const std::string name = storeFile(given);
    if (name.empty()) return cannot("write", given);
    std::error_code unknown, refused;
    const fs::file_status status = fs::status(name, unknown);  // not found: a new store
    std::random_device random;
    std::string temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 100 && file == nullptr; ++attempt) {
        temporary = name + ".kv-" + std::to_string(random()) + ".tmp";
        file = std::fopen(temporary.c_str(), "wbx");
    }
    if (file == nullptr) return cannot("write beside", name);
    if (fs::exists(status)) fs::permissions(temporary, status.permissions(), refused);
    bool written = !refused;
    for (const auto& [key, value] : store) {
        const std::string line = key + "\t" + value + "\n";
        written = written && std::fwrite(line.data(), 1, line.size(), file) == line.size();
    }
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), name.c_str()) != 0) {
        std::remove(temporary.c_str());
        return cannot("write", name);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string storeName = "kv.store", key, value, prefix;
    std::vector<std::string> keys;

    param::Command cli("kv", "Keep values under keys in a text file, a line KEY<TAB>VALUE each.");
    cli.option(storeName, "--store").valueName("FILE").env("KV_STORE").help("the store");
    cli.shared();  // --store may follow the command too
    cli.version("kv 2.0.0");
    cli.completionOption();
    cli.manualOption();
    cli.file("kv.store", "the store where neither --store nor KV_STORE names another, in the working directory");
    cli.exitStatus(0, "success, and after help, version, completion script or manual page");
    cli.exitStatus(1, "a key is absent (get, remove), or the store cannot be read or written");
    cli.exitStatus(2, "a problem with the command line, named on standard error");

    param::Command& put = cli.command("put", "Store VALUE under KEY, replacing what it held.");
    put.positional(key, "KEY").required().help("any text without a tab or a line end").check(keyProblem);
    put.positional(value, "VALUE").required().help("any text without a line end").check(valueProblem);
    param::Command& get = cli.command("get", "Print the value of KEY and a line end; status 1 when it is absent.");
    get.positional(key, "KEY").required().check(keyProblem);
    param::Command& list = cli.command("list", "Print every line KEY<TAB>VALUE, in byte order of the keys.");
    list.option(prefix, "-p", "--prefix").valueName("P").help("only the keys that begin with P");
    param::Command& remove = cli.command("remove", "Remove the keys; status 1 when one was absent.");
    remove.positional(keys, "KEY").required().check(keyProblem);

    const param::Result result = cli.parse(argc, argv);
    if (!result) return result.report();

    Store store;
    if (!readStore(storeName, store)) return 1;
    if (result.chose(put)) {
        store[key] = value;
        return writeStore(storeName, store) ? 0 : 1;
    }
    if (result.chose(get)) {
        const auto found = store.find(key);
        if (found == store.end()) {
            std::cerr << "kv: no key '" << key << "'\n";
            return 1;
        }
        std::cout << found->second << '\n';
        return std::cout.flush() ? 0 : 1;
    }
    if (result.chose(list)) {
        for (auto it = store.lower_bound(prefix); it != store.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
            std::cout << it->first << '\t' << it->second << '\n';
        }
        return std::cout.flush() ? 0 : 1;
    }
    int status = 0;
    for (const std::string& k : keys) {
        if (store.erase(k) == 0) {
            std::cerr << "kv: no key '" << k << "'\n";
            status = 1;
        }
    }
    return writeStore(storeName, store) ? status : 1;
}
