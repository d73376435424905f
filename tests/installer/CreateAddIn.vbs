' Creates the add-in by its ProgID, as any automation client does, and names what it got.
Set addIn = CreateObject("Vorn.VornAddIn")
WScript.Echo TypeName(addIn)
