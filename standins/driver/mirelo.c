/*
 * mirelo.c - kernel driver standing in for the remote's receiver. It keeps the window that
 * the tray program registers and the cursor settings that the Control Panel applet sends;
 * the virtual remote reads them back to post button codes and move the cursor as the real
 * receiver would. Loaded by Wine's winedevice.exe as an auto-start kernel service.
 */
#include <ddk/wdm.h>
#include "mirelo.h"

static PDEVICE_OBJECT pDeviceObject;
static UNICODE_STRING usDeviceName;
static UNICODE_STRING usLinkName;

/* Everything the receiver remembers; requests may come from several threads. */
static volatile LONG lWindow;
static volatile LONG lRequests;
static volatile LONG lRegistrations;
static volatile LONG lSpeed = MIRELO_DEFAULT_SPEED;
static volatile LONG lEnable = 1;
static volatile LONG lConnected = 1;

static NTSTATUS CompleteRequest(PIRP pIrp, NTSTATUS status, ULONG_PTR ulInformation)
{
    pIrp->IoStatus.Status = status;
    pIrp->IoStatus.Information = ulInformation;
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS Register(const void *pInput, ULONG cbInput)
{
    InterlockedIncrement(&lRequests);
    if (pInput == NULL || cbInput != sizeof(ULONG))
        return STATUS_INVALID_PARAMETER;
    if (!lConnected)
        return STATUS_DEVICE_NOT_CONNECTED;
    InterlockedExchange(&lWindow, *(const LONG *)pInput);
    InterlockedIncrement(&lRegistrations);
    return STATUS_SUCCESS;
}

static NTSTATUS SetMouse(const void *pInput, ULONG cbInput)
{
    const UCHAR *pbInput = (const UCHAR *)pInput;
    if (pInput == NULL || cbInput != 2)
        return STATUS_INVALID_PARAMETER;
    InterlockedExchange(&lSpeed, pbInput[0] > MIRELO_MAX_SPEED ? MIRELO_MAX_SPEED : pbInput[0]);
    InterlockedExchange(&lEnable, pbInput[1] != 0);
    return STATUS_SUCCESS;
}

static NTSTATUS Query(void *pOutput, ULONG cbOutput, ULONG_PTR *pulWritten)
{
    MIRELOSTATE *pState = (MIRELOSTATE *)pOutput;
    if (pOutput == NULL || cbOutput < sizeof(MIRELOSTATE))
        return STATUS_BUFFER_TOO_SMALL;
    pState->uiWindow = (unsigned int)lWindow;
    pState->uiRequests = (unsigned int)lRequests;
    pState->uiRegistrations = (unsigned int)lRegistrations;
    pState->bSpeed = (unsigned char)lSpeed;
    pState->bEnable = (unsigned char)lEnable;
    pState->bConnected = (unsigned char)lConnected;
    pState->bReserved = 0;
    *pulWritten = sizeof(MIRELOSTATE);
    return STATUS_SUCCESS;
}

static NTSTATUS Connect(const void *pInput, ULONG cbInput)
{
    if (pInput == NULL || cbInput != 1)
        return STATUS_INVALID_PARAMETER;
    InterlockedExchange(&lConnected, *(const UCHAR *)pInput != 0);
    if (!lConnected)
        InterlockedExchange(&lWindow, 0);   /* an unplugged receiver forgets its window */
    return STATUS_SUCCESS;
}

static NTSTATUS NTAPI DispatchControl(PDEVICE_OBJECT pDevice, PIRP pIrp)
{
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    ULONG cbInput = pStack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG cbOutput = pStack->Parameters.DeviceIoControl.OutputBufferLength;
    void *pBuffer = pIrp->AssociatedIrp.SystemBuffer;
    ULONG_PTR ulWritten = 0;
    NTSTATUS status;
    (void)pDevice;

    switch (pStack->Parameters.DeviceIoControl.IoControlCode) {
    case MIRELO_IOCTL_REGISTER: status = Register(pBuffer, cbInput); break;
    case MIRELO_IOCTL_SETMOUSE: status = SetMouse(pBuffer, cbInput); break;
    case MIRELO_IOCTL_QUERY:    status = Query(pBuffer, cbOutput, &ulWritten); break;
    case MIRELO_IOCTL_CONNECT:  status = Connect(pBuffer, cbInput); break;
    default:                    status = STATUS_INVALID_DEVICE_REQUEST; break;
    }
    return CompleteRequest(pIrp, status, ulWritten);
}

static NTSTATUS NTAPI DispatchOpenClose(PDEVICE_OBJECT pDevice, PIRP pIrp)
{
    (void)pDevice;
    return CompleteRequest(pIrp, STATUS_SUCCESS, 0);
}

static void NTAPI DriverUnload(PDRIVER_OBJECT pDriver)
{
    (void)pDriver;
    IoDeleteSymbolicLink(&usLinkName);
    IoDeleteDevice(pDeviceObject);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT pDriver, PUNICODE_STRING pusRegistryPath)
{
    NTSTATUS status;
    (void)pusRegistryPath;

    RtlInitUnicodeString(&usDeviceName, L"\\Device\\Mirelo");
    RtlInitUnicodeString(&usLinkName, L"\\DosDevices\\MIRELO");
    status = IoCreateDevice(pDriver, 0, &usDeviceName, FILE_DEVICE_UNKNOWN, 0, FALSE, &pDeviceObject);
    if (!NT_SUCCESS(status))
        return status;
    status = IoCreateSymbolicLink(&usLinkName, &usDeviceName);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(pDeviceObject);
        return status;
    }
    pDriver->MajorFunction[IRP_MJ_CREATE] = DispatchOpenClose;
    pDriver->MajorFunction[IRP_MJ_CLEANUP] = DispatchOpenClose;
    pDriver->MajorFunction[IRP_MJ_CLOSE] = DispatchOpenClose;
    pDriver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
    pDriver->DriverUnload = DriverUnload;
    return STATUS_SUCCESS;
}
