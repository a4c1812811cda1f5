#pragma once

// The texts the status labels show. Each stands once, here; the code that shows one and the code
// that needs to know which one was shown name it instead of spelling it again. A text only one
// program shows (its flash-clear and "*W Err" texts, its port-not-open text) is in its profile.
namespace orvane::status {

inline constexpr const char* kNotResponse = "Not Response!!";
inline constexpr const char* kNoIdentity = "Not Response!! (or target error)";
inline constexpr const char* kComPortError = "Com port Error!";
inline constexpr const char* kTargetError = "Target error!!";
inline constexpr const char* kCommonParameterError = "Common Parameter Error!";
inline constexpr const char* kDiscrepancy = "Discrepancy!!";
inline constexpr const char* kTestDataError = "Test Data error!!";
inline constexpr const char* kFlashWriteError = "Flash Write Error!!";
inline constexpr const char* kLogFileWriteError = "Log File Write Error!!";
inline constexpr const char* kTableFileError = "Table File Error!!";

}  // namespace orvane::status
