#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace yanchuan::testing {

// Sets or unsets environment variables for the life of the object, then puts
// back what was there before, so that one test's variables never reach another.
class ScopedEnv final {
public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    ~ScopedEnv()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            Apply(it->first, it->second);
        }
    }

    // Sets the variable, or unsets it when `value` is nothing.
    void Set(const std::string& name, const std::optional<std::string>& value)
    {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        Apply(name, value);
    }

private:
    static void Apply(const std::string& name, const std::optional<std::string>& value)
    {
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

} // namespace yanchuan::testing
