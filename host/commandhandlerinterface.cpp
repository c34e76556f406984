#include "commandhandlerinterface.h"

CommandHandlerInterface::~CommandHandlerInterface() = default;
