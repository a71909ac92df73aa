#!/usr/bin/python3
"""pymodbus as a drive: an ASCII serial server for one station.

drive_server.py PORT STATION REG=VALUE...
Only the registers named exist; any other gives an exception reply. Register N
is address N (zero_mode). Serves until killed.
"""
import sys

from pymodbus.datastore import ModbusServerContext, ModbusSlaveContext, ModbusSparseDataBlock
from pymodbus.server import StartSerialServer
from pymodbus.transaction import ModbusAsciiFramer

port, station = sys.argv[1], int(sys.argv[2])
values = {}
for item in sys.argv[3:]:
    reg, value = item.split("=")
    values[int(reg)] = int(value)

block = ModbusSparseDataBlock(values)
slave = ModbusSlaveContext(hr=block, zero_mode=True)
context = ModbusServerContext(slaves={station: slave}, single=False)
StartSerialServer(context=context, framer=ModbusAsciiFramer, port=port, baudrate=38400, timeout=0.05)
