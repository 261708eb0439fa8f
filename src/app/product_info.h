#pragma once
// The product's fixed facts shown in the About window and used by the
// update check and the support mail. The maker, years, addresses and the
// update service are placeholders until the product has real ones.

namespace ProductInfo {

inline constexpr char kProductLine[] = "ТРЕЛ-Каротаж";
inline constexpr char kMaker[] = "Loggard";
inline constexpr char kYears[] = "2024–2025";
inline constexpr char kSupportMail[] = "support@loggard.example";
inline constexpr char kSupportMail2[] = "help@loggard.example";
inline constexpr char kUpdateUrl[] = "https://updates.loggard.example/loggard";
// The subject of a support mail, already percent-encoded up to the
// product line.
inline constexpr char kSupportSubject[] = "В%20службу%20поддержки%20";

// Beside the executable.
inline constexpr char kHelpFile[] = "Help.pdf";
inline constexpr char kUpdaterFile[] = "upd";

}  // namespace ProductInfo
