#pragma once
// The queue of web requests as its callers see it: a request record and the
// operation that adds one. HtmlQueue implements it; NullRequestQueue takes
// requests and does nothing (for parts built without the web).
#include <QString>

#include <cstdint>

// What a request's result is for.
enum class RequestKind : uint8_t {
    None = 0,
    ModuleFile = 1, // a missing camera module file; connecting is retried afterwards
    Photo = 2,      // the About page's photo
};

// One request: a file request stores the body under `fileName`, a text
// request sends `postData` and returns the body as text.
struct HtmlRequest {
    QString url;
    QString fileName;
    QString postData;
    bool BinaryData = false; // store byte for byte, without text conversion
    bool isFile = false;
    RequestKind kind = RequestKind::None;
};

class RequestQueue {
public:
    virtual ~RequestQueue() = default;
    // Appends the request and starts it when no other one is in flight.
    virtual void AddHTMLque(const HtmlRequest& request) = 0;
};

// Accepts every request and transfers nothing.
class NullRequestQueue : public RequestQueue {
public:
    void AddHTMLque(const HtmlRequest& /*request*/) override {}
};

// The request for a missing camera module file: `base` + "down/" + the
// file name, stored byte for byte under its own name in `directory`.
HtmlRequest ModuleFileRequest(const QString& base, const QString& moduleFile,
                              const QString& directory);
