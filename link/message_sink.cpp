#include "message_sink.h"

#include "modbus_ascii.h"

namespace telvor {

void MessageSink::ShowExceptionReply(std::string_view reply) {
    ShowMessage("Error Message", ExceptionMessage(reply), MessageIcon::Information);
}

}  // namespace telvor
