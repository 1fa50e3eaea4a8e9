' A client that links nothing of ours: it creates a module by its ProgID,
' as a script or a late-bound trade application does, and sells one line
' with a Russian name. Kept in UTF-8 here; the install test hands it to
' cscript in Windows-1251, the code page a Russian Windows reads scripts in.
'   cscript sale.vbs <ProgID> [receipt file]
' The last line printed is "sale passed" when every out value was right.
Option Explicit
Dim device
Set device = CreateObject(WScript.Arguments(0))
If WScript.Arguments.Count > 1 Then device.SetParamValue 0, WScript.Arguments(1)
Expect "Connect", device.Connect(), 0
Expect "SaleItem", device.SaleItem(1, "Хлеб", 2, 45.5, 1, 4, 3), 0
Expect "Payment", device.Payment(100, 0), 0
Expect "CloseReceipt", device.CloseReceipt(), 0
Expect "GetResultCode", device.GetResultCode(), 0
Expect "GetLastDocSum", device.GetLastDocSum(), 91
device.Disconnect
WScript.Echo "sale passed"

Sub Expect(operation, actual, expected)
  If actual <> expected Then
    WScript.Echo operation & " gave " & actual & " instead of " & expected & ": " & device.GetResultText()
    WScript.Quit 1
  End If
End Sub
