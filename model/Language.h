#pragma once

#include <cstdint>
#include <string_view>

namespace quorvane {

// The user-interface language; every language-dependent text is a pair.
enum class Language : std::uint8_t { English = 1, German = 2 };

struct LanguageText {
    std::string_view English;
    std::string_view German;

    std::string_view operator()(Language language) const
    {
        return language == Language::German ? German : English;
    }
};

// Refusal of an insert into a full table.
inline constexpr LanguageText CapacityMessage{
    "The maximum capacity of the address book has been reached.\nNo more addresses can be "
    "inserted.",
    "Die Kapazitätsobergrenze des Adressbuchs ist erreicht.\nDas Einfügen weiterer Adressen ist "
    "nicht mehr möglich."};

// The question before changed data would be dropped.
inline constexpr LanguageText SaveChangesQuestion{"Save changes?", "Änderungen speichern?"};

}  // namespace quorvane
