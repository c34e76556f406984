#include "programretargeter.h"

KoraProgram ProgramRetargeter::toMotor(const KoraProgram& program, int motor)
{
    KoraProgram result = program;
    for (int i = 0; i < result.size(); ++i) {
        if (result.at(i).opcode != KoraProgram::Opcode::Jump)
            result[i].motor = motor;
    }
    return result;
}
