// A shared window helper that would know the program's own rules.
#include <QWidget>

#include "app/core/status_text.h"
#include "phone/phone_link.h"
