// A picture conversion that would talk to the phone itself.
#include "base/bytes.h"
#include "phone/phone_link.h"
