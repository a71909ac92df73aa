#!/usr/bin/python3
"""pymodbus as the master of a line: runs requests given one per input line and
prints one result line for each.

master.py PORT
Input lines: "read STATION START COUNT", "write STATION REG VALUE" (function 06),
"write-multiple STATION START VALUE...", "echo STATION".
Output: "ok V1 V2 ..." for a normal reply (register values of a read, the
echoed data of an echo, nothing more for a write), "exception FUNCTION CODE"
(decimal function, hex code) or "none" when no valid reply came.
"""
import sys

from pymodbus.client import ModbusSerialClient
from pymodbus.diag_message import ReturnQueryDataRequest
from pymodbus.transaction import ModbusAsciiFramer

client = ModbusSerialClient(port=sys.argv[1], framer=ModbusAsciiFramer, baudrate=38400, timeout=1, retries=0)
if not client.connect():
    raise SystemExit("cannot open " + sys.argv[1])


def result_of(reply, values=()):
    if reply is None or not hasattr(reply, "function_code"):
        return "none"
    if reply.isError():
        if hasattr(reply, "exception_code"):
            return "exception %d %02X" % (reply.function_code, reply.exception_code)
        return "none"
    return " ".join(["ok"] + [str(v) for v in values])


for line in sys.stdin:
    words = line.split()
    if not words:
        continue
    kind, station, numbers = words[0], int(words[1]), [int(w) for w in words[2:]]
    try:
        if kind == "read":
            reply = client.read_holding_registers(numbers[0], numbers[1], slave=station)
            print(result_of(reply, getattr(reply, "registers", [])), flush=True)
        elif kind == "write":
            print(result_of(client.write_register(numbers[0], numbers[1], slave=station)), flush=True)
        elif kind == "write-multiple":
            print(result_of(client.write_registers(numbers[0], numbers[1:], slave=station)), flush=True)
        elif kind == "echo":
            request = ReturnQueryDataRequest(0xA537, slave=station)
            request.unit_id = station
            reply = client.execute(request)
            print(result_of(reply, ["%04X" % reply.message] if hasattr(reply, "message") and reply.message is not None else []), flush=True)
        else:
            print("unknown", flush=True)
    except Exception as error:  # a reply pymodbus cannot parse counts as no reply
        print("none", error, file=sys.stderr, flush=True)
        print("none", flush=True)
client.close()
