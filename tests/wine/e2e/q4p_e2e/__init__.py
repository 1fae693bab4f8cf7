"""Drives setup.exe under Wine as a person does, and checks what it left on the machine."""
