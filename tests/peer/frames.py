#!/usr/bin/python3
"""Frames built by pymodbus's ASCII framer, one per input line, for comparison
with our own builders and checks.

Input lines (numbers decimal):
  read STATION START COUNT          function 03 request
  write-single STATION REG VALUE    function 06 request
  write-multiple STATION REG VALUE  function 10 request of one register
  echo STATION DATA                 function 08 sub-function 0 request
  reply-read STATION VALUE...       normal reply to function 03
  reply-exception STATION FUNCTION CODE   exception reply (CODE in hex, e.g. 52)
Output: the frame with CR and LF shown as \\r and \\n.
"""
import sys

from pymodbus.diag_message import ReturnQueryDataRequest
from pymodbus.factory import ClientDecoder
from pymodbus.pdu import ExceptionResponse
from pymodbus.register_read_message import ReadHoldingRegistersRequest, ReadHoldingRegistersResponse
from pymodbus.register_write_message import WriteMultipleRegistersRequest, WriteSingleRegisterRequest
from pymodbus.transaction import ModbusAsciiFramer

framer = ModbusAsciiFramer(ClientDecoder())


def message_of(words):
    kind, station, rest = words[0], int(words[1]), words[2:]
    numbers = [int(w) for w in rest]
    if kind == "read":
        message = ReadHoldingRegistersRequest(numbers[0], numbers[1])
    elif kind == "write-single":
        message = WriteSingleRegisterRequest(numbers[0], numbers[1])
    elif kind == "write-multiple":
        message = WriteMultipleRegistersRequest(numbers[0], [numbers[1]])
    elif kind == "echo":
        message = ReturnQueryDataRequest(numbers[0])
    elif kind == "reply-read":
        message = ReadHoldingRegistersResponse(numbers)
    elif kind == "reply-exception":
        message = ExceptionResponse(int(rest[0]), int(rest[1], 16))
    else:
        raise SystemExit("unknown line: " + " ".join(words))
    message.unit_id = station
    return message


for line in sys.stdin:
    words = line.split()
    if not words:
        continue
    frame = framer.buildPacket(message_of(words)).decode("ascii")
    print(frame.replace("\r", "\\r").replace("\n", "\\n"), flush=True)
