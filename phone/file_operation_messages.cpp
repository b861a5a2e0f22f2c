#include "phone/file_operation_messages.h"

#include "phone/phone_text.h"

namespace menuforge {

Message PhoneFileFailure(P2kLibrary& library, const char* prefix, std::string_view phonePath) {
  const char* const lost = library.connectionOpen() ? "" : kConnectionLostSuffix;
  return {prefix + ShownPhonePath(phonePath) + lost, kErrorCaption, MessageIcon::Error};
}

}  // namespace menuforge
