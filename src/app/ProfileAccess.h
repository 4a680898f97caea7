// The four profile operations the shell needs, so that the frame state and the recent-file
// list can be kept in whatever profile the application uses.
#pragma once

#include <string>
#include <string_view>

class CProfileAccess {
public:
    virtual ~CProfileAccess() = default;
    virtual int ReadInt(std::string_view section, std::string_view key, int fallback) = 0;
    virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view fallback) = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};
