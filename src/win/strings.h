// The strings of the language module by number: the part of the user interface that
// shows nothing, for the programs and models that only need its texts.
#pragma once

#include <string>

namespace win {

class Strings {
public:
    virtual ~Strings() = default;
    // String `id` of the language module; empty when missing or empty.
    virtual std::string LoadString(int id) = 0;
    virtual bool HasString(int id) = 0;
};

}  // namespace win
