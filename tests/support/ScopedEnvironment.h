// Test helper: sets or clears an environment variable for one scope and restores it after.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class CScopedEnvironment {
public:
    // A null value clears the variable.
    CScopedEnvironment(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~CScopedEnvironment() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};
