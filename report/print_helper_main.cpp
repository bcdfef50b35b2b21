// The print helper as a program of its own: started by Drucken with the
// helper argument, it does the exchange with the print service and ends.
#include "report/print_helper.h"

int main(int argc, char** argv) {
    return brennquist::AnswerAsPrintHelper(argc, argv).value_or(2);
}
