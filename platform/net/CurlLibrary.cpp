#include "platform/net/CurlLibrary.h"

#include <dlfcn.h>

namespace plyx::net {

namespace {

// The library's stable name (its major version), as the system installs it.
constexpr const char* kSoname = "libcurl.so.4";

template <class F> bool bind(void* handle, const char* name, F& out) {
    out = reinterpret_cast<F>(::dlsym(handle, name));
    return out != nullptr;
}

const CurlLibrary* load() {
    void* handle = ::dlopen(kSoname, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    static CurlLibrary lib;
    const bool all = bind(handle, "curl_global_init", lib.global_init) && bind(handle, "curl_easy_init", lib.easy_init) &&
                     bind(handle, "curl_easy_setopt", lib.easy_setopt) &&
                     bind(handle, "curl_easy_perform", lib.easy_perform) &&
                     bind(handle, "curl_easy_getinfo", lib.easy_getinfo) &&
                     bind(handle, "curl_easy_cleanup", lib.easy_cleanup) &&
                     bind(handle, "curl_easy_strerror", lib.easy_strerror) &&
                     bind(handle, "curl_slist_append", lib.slist_append) &&
                     bind(handle, "curl_slist_free_all", lib.slist_free_all);
    // Kept loaded for the life of the process either way: its threads may
    // still be winding down a transfer.
    if (!all || lib.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &lib;
}

} // namespace

const CurlLibrary* curlLibrary() {
    static const CurlLibrary* lib = load();
    return lib;
}

} // namespace plyx::net
