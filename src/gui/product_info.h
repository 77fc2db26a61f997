#pragma once

// Who makes Tesmor 42 and how to reach them: shown by the splash window and the about box.
// The contact lines are placeholders until the project publishes its own.

namespace tesmor::gui::product {

inline constexpr const char* Name = "Tesmor 42";
inline constexpr const char* Version = "Tesmor 4.2.";
inline constexpr const char* Purpose = "Anisotropy data browser";
inline constexpr const char* Platform = "for Linux";
inline constexpr const char* ReleaseDate = "2026-12-06";
inline constexpr const char* Maker = "The Tesmor 42 project";
inline constexpr const char* PostalAddress = "Postal address: to be announced";
inline constexpr const char* Telephone = "Tel.: to be announced";
inline constexpr const char* Fax = "Fax: none";
inline constexpr const char* Email = "contact@tesmor42.example.org";
inline constexpr const char* WebAddress = "https://tesmor42.example.org/";
inline constexpr const char* Authors = "Written by: the Tesmor 42 developers";

} // namespace tesmor::gui::product
