#include "VisitorCommands.h"

#include "SKTWindowController.h"

int Register_Visitor(SKTWindowController&)
{
    return 0;
}

void Print_Visitor_Pass(SKTWindowController&, bool)
{
}

void Open_Visitor_Log(SKTWindowController&)
{
}
