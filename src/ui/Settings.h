// SPDX-License-Identifier: MIT
// The editor's stored settings: interface language and the "Autodetect Encoding" switch.
#pragma once

#include <cstdint>

namespace vste::ui {

class Settings {
public:
    // Reads the stored settings; missing settings give English and autodetection on.
    void load();
    // Stores the settings; a failure does not keep the program from ending.
    void save() const;

    // 0: Russian; any other value: English.
    std::uint8_t interfaceLanguage() const { return m_interfaceLanguage; }
    void setInterfaceLanguage(std::uint8_t value) { m_interfaceLanguage = value; }
    // 0: off; any other value: on.
    std::uint8_t autodetectEncoding() const { return m_autodetectEncoding; }
    void setAutodetectEncoding(std::uint8_t value) { m_autodetectEncoding = value; }

private:
    std::uint8_t m_interfaceLanguage = 1;
    std::uint8_t m_autodetectEncoding = 1;
};

} // namespace vste::ui
