#pragma once
// The transfer library, loaded on the first request rather than at start:
// it brings some twenty libraries of its own (TLS, Kerberos, compression),
// megabytes a process that never fetches anything (a widget host showing
// clocks and system figures) has no use for.
#include <curl/curl.h>

namespace plyx::net {

struct CurlLibrary {
    CURLcode (*global_init)(long flags) = nullptr;
    CURL* (*easy_init)() = nullptr;
    CURLcode (*easy_setopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easy_perform)(CURL*) = nullptr;
    CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easy_cleanup)(CURL*) = nullptr;
    const char* (*easy_strerror)(CURLcode) = nullptr;
    curl_slist* (*slist_append)(curl_slist*, const char*) = nullptr;
    void (*slist_free_all)(curl_slist*) = nullptr;
};

/// The library, loaded and initialised once; nothing when it cannot be loaded.
const CurlLibrary* curlLibrary();

} // namespace plyx::net
