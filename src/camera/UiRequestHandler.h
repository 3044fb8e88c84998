#pragma once
// Asks the user the module's questions. The camera layer knows no widgets:
// the window supplies a dialog through this interface.
#include <cstdint>
#include <string>

class UiRequestHandler {
public:
    virtual ~UiRequestHandler() = default;
    // `kind` 0 OK, 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel. Returns the reply
    // code: 0 none, 1 OK, 2 Cancel, 3 Yes, 4 No. Blocks until answered.
    virtual uint32_t ask(int kind, const std::string& message) = 0;
};
